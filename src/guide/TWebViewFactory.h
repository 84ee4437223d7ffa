#pragma once

#include "guide/TWebView.h"

#include <QPoint>
#include <QUrl>
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
        // A link to the internet was followed: it belongs in the user's browser.
        std::function<void(const QUrl &)> openExternal;
        // The page's context menu was asked for at a screen point, over a link (or an
        // empty address).
        std::function<void(const QPoint &, const QUrl &)> contextMenu;
    };

    virtual ~TWebViewFactory() = default;
    virtual std::unique_ptr<TWebView> Create(QWidget *parent, Handlers handlers) = 0;
};

#define TWebViewFactory_iid "pl.rybowid.Rybowid.TWebViewFactory/1.0"
Q_DECLARE_INTERFACE(TWebViewFactory, TWebViewFactory_iid)
