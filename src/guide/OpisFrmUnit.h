#pragma once

#include <QDialog>
#include <QString>

// The document viewer for the guide chapters.
class TOpisFrm : public QDialog
{
    Q_OBJECT

public:
    explicit TOpisFrm(QWidget *parent = nullptr);

    // Opens a document by its full path and shows the viewer modally.
    void ShowDocument(const QString &path);
    // The path the last ShowDocument opened.
    const QString &Document() const { return m_document; }

private:
    QString m_document;
};
