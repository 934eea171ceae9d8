#pragma once

// The window that names a skin picture missing from the graphics folder.
// Created once at start-up and reused for every missing picture.

#include <QDialog>

class QLabel;

namespace zentrix::engine {

class TfrmMissingFiles : public QDialog {
    Q_OBJECT
public:
    explicit TfrmMissingFiles(QWidget* parent = nullptr);

    static QString messageFor(const QString& fileName);
    void setFileName(const QString& fileName);
    QString text() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* message_;
};

}  // namespace zentrix::engine
