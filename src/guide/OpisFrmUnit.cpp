#include "guide/OpisFrmUnit.h"

#include "widgets/Platform.h"

#include <QLabel>
#include <QVBoxLayout>

TOpisFrm::TOpisFrm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OpisFrm"));
    setWindowTitle(QStringLiteral("Opis:"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    resize(824, 604);
    auto *layout = new QVBoxLayout(this);
    auto *caption = new QLabel(windowTitle(), this);
    caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(caption);
}

void TOpisFrm::ShowDocument(const QString &path)
{
    try {
        m_document = path;
        Platform::ShowModal(this);
    } catch (...) {
        // A document that cannot be opened leaves the viewer closed, without a message.
    }
}
