#include "game/commondialog.h"

#include <QFileDialog>
#include <QMessageBox>

namespace morvane {

namespace {

const QString kFilter = QStringLiteral("Position files (*.txt);;All files (*)");

class FileDialog : public CommonDialog {
public:
    QString ShowOpen(QWidget* owner) override
    {
        return QFileDialog::getOpenFileName(owner, QString(), QString(), kFilter);
    }
    QString ShowSave(QWidget* owner) override
    {
        return QFileDialog::getSaveFileName(owner, QString(), QString(), kFilter);
    }
};

} // namespace

std::unique_ptr<CommonDialog> makeFileDialog()
{
    return std::make_unique<FileDialog>();
}

MessageReporter messageBoxReporter()
{
    return [](QWidget* owner, const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, kProgramTitle, text, QMessageBox::Ok, owner);
        box.exec();
    };
}

} // namespace morvane
