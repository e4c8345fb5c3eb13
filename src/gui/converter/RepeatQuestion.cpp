#include "converter/RepeatQuestion.h"

#include <QMessageBox>

#include "app/MessageSink.h"

namespace convertor {

QString sentence(const QString& text) {
    return text.isEmpty() ? text : text.at(0).toUpper() + text.mid(1);
}

bool askConvertAgain(QWidget* parent, const QString& earlierRun) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kApplicationTitle),
                    sentence(earlierRun) + QStringLiteral(". Convert it again?"),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("msgConvertAgain"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace convertor
