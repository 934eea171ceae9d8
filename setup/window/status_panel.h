#pragma once

// Panel1 of the setup window: a panel with a lowered bevel whose own
// caption, drawn in its middle, is the status line of every flow.

#include <QFrame>
#include <QString>

namespace zentrix::setup {

class StatusPanel : public QFrame {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

}  // namespace zentrix::setup
