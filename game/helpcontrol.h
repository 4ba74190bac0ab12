#pragma once

// The help control that sits under the instructions: a small button that
// opens a how-to-play page beside the game. Its one property, set by the game
// window at load, is the help context: the number of the topic the button
// opens. Topic 25 is "How to play"; any other number opens "About Morvane".

#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QVariant>



namespace morvane {

class HelpControl : public QPushButton {
    Q_OBJECT
public:
    // The dispatch number under which the help context is set.
    static constexpr quint32 kHelpContextProperty = 0x68030000;
    static constexpr int kHowToPlayTopic = 25;

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
