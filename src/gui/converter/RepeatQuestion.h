#pragma once

#include <QString>

class QWidget;

namespace convertor {

// The run's lower-case text as a sentence: its first letter in upper case.
QString sentence(const QString& text);

// "This file was converted on ... (Hash Value ...). Convert it again?" with Yes and No, No the
// default, so that Enter does not send the same payments twice. True for Yes.
bool askConvertAgain(QWidget* parent, const QString& earlierRun);

}  // namespace convertor
