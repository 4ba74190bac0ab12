#pragma once

// The help control that sits under the instructions: a small button that
// opens the help page beside the game, on the topic its one property names.

#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QVariant>

#include "game/helptopics.h"

namespace morvane {

class HelpControl : public QPushButton {
    Q_OBJECT
public:
    explicit HelpControl(QWidget* parent);

    // Late-bound property assignment as the window performs it. Unknown
    // properties and values that are not whole numbers are ignored.
    void setDispatchProperty(quint32 dispatchId, const QVariant& value);

    int helpContext() const { return helpContext_; }
    QString topicTitle() const;
    QString topicText() const;

private:
    void showTopic();

    int helpContext_ = 0;
    QPointer<QDialog> page_;
};

} // namespace morvane
