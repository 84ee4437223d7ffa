#pragma once

#include "guide/TWebView.h"

#include <QtPlugin>
#include <functional>
#include <memory>

// The root object of the browser module: it makes the engine's views.
class TWebViewFactory
{
public:
    // Called when a page has loaded (false for a failed load) and when a print job has
    // ended (false for a failed one).
    struct Handlers
    {
        std::function<void(bool)> loadFinished;
        std::function<void(bool)> printFinished;
    };

    virtual ~TWebViewFactory() = default;
    virtual std::unique_ptr<TWebView> Create(QWidget *parent, Handlers handlers) = 0;
};

#define TWebViewFactory_iid "pl.rybowid.Rybowid.TWebViewFactory/1.0"
Q_DECLARE_INTERFACE(TWebViewFactory, TWebViewFactory_iid)
