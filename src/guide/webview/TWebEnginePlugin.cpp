#include "guide/webview/TWebEnginePlugin.h"

#include "guide/webview/TWebEngineView.h"

std::unique_ptr<TWebView> TWebEnginePlugin::Create(QWidget *parent, Handlers handlers)
{
    return std::make_unique<TWebEngineView>(parent, std::move(handlers));
}
