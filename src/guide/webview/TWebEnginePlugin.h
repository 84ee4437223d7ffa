#pragma once

#include "guide/TWebViewFactory.h"

#include <QObject>

// The browser module's root object, found by the program's plugin loader.
class TWebEnginePlugin : public QObject, public TWebViewFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TWebViewFactory_iid)
    Q_INTERFACES(TWebViewFactory)

public:
    std::unique_ptr<TWebView> Create(QWidget *parent, Handlers handlers) override;
};
