#include "maintenance/DetailPage.h"

#include <QDataWidgetMapper>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSqlTableModel>
#include <QVBoxLayout>

#include "text/CodePage.h"
#include "text/Trim.h"

namespace convertor {

namespace {

const QString kMessageCaption = QStringLiteral("Message : ");

// Letters forced to upper case as they are typed or pasted.
void forceUpperCase(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(cursor);
        }
    });
}

}  // namespace

DetailPage::DetailPage(const MaintenanceFields& fields, QSqlTableModel* model, QWidget* parent)
    : QWidget(parent), m_fields(fields), m_model(model), m_mapper(new QDataWidgetMapper(this)) {
    m_mapper->setModel(model);
    // The page writes its fields itself (trimmed, checked) when Save is pressed.
    m_mapper->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);

    m_group = new QGroupBox(this);
    auto* form = new QFormLayout(m_group);
    for (int i = 0; i < m_fields.size(); ++i) {
        const MaintenanceField& field = m_fields.at(i);
        auto* edit = new QLineEdit(m_group);
        edit->setObjectName(QStringLiteral("dxDBEdit%1").arg(i + 1));
        edit->setToolTip(field.hint);
        edit->setMaxLength(field.maxLength);
        if (field.upperCase) {
            forceUpperCase(edit);
        }
        auto* label = new QLabel(field.detailCaption, m_group);
        label->setBuddy(edit);
        form->addRow(label, edit);
        m_mapper->addMapping(edit, model->fieldIndex(field.column));
        m_edits.append(edit);
    }

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setFixedSize(56, 56);
    m_picture->setAlignment(Qt::AlignCenter);

    m_message = new QLabel(kMessageCaption, this);
    m_message->setObjectName(QStringLiteral("errorMessage"));
    m_message->setStyleSheet(QStringLiteral("color: red;"));
    m_message->setWordWrap(true);

    m_buttonRow = new QWidget(this);
    auto* buttons = new QHBoxLayout(m_buttonRow);
    buttons->setContentsMargins(0, 0, 0, 0);

    auto* top = new QHBoxLayout;
    top->addWidget(m_picture, 0, Qt::AlignTop);
    top->addWidget(m_group, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_message);
    layout->addWidget(m_buttonRow);
    layout->addStretch(1);
}

void DetailPage::addButtons(QWidget* save, QWidget* cancel) {
    auto* row = static_cast<QHBoxLayout*>(m_buttonRow->layout());
    row->addStretch(1);
    row->addWidget(save);
    row->addWidget(cancel);
    // Tab leads from the last field to Save and Cancel.
    QWidget::setTabOrder(m_edits.last(), save);
    QWidget::setTabOrder(save, cancel);
}

void DetailPage::showRow(int row) {
    m_mapper->setCurrentIndex(row);
    if (row < 0) {
        for (QLineEdit* edit : m_edits) {
            edit->clear();
        }
    }
}

void DetailPage::revert() {
    m_mapper->revert();
}

void DetailPage::setFieldsEnabled(bool enabled, bool codeToo) {
    m_group->setEnabled(enabled);
    for (QLineEdit* edit : m_edits) {
        edit->setEnabled(true);
    }
    m_edits.first()->setEnabled(codeToo);
}

void DetailPage::setPicture(const QIcon& icon) {
    m_picture->setPixmap(icon.pixmap(48, 48));
}

void DetailPage::setMessage(const QString& text) {
    m_message->setText(text);
}

QString DetailPage::message() const {
    return m_message->text();
}

QString DetailPage::value(int field) const {
    const std::string trimmed = trim(m_edits.at(field)->text().toStdString());
    const QString text = QString::fromStdString(trimmed);
    return m_fields.at(field).upperCase ? text.toUpper() : text;
}

QString DetailPage::refusal() const {
    QString missing;
    QStringList outside;
    for (int i = 0; i < m_fields.size(); ++i) {
        const QString text = value(i);
        // A field of blanks only would store an empty code or name, so it counts as missing.
        if (m_fields.at(i).required() && text.isEmpty()) {
            missing += m_fields.at(i).name() + QStringLiteral(" , ");
        }
        if (!fromUtf8(m_edits.at(i)->text().toStdString())) {
            outside.append(m_fields.at(i).name());
        }
    }
    if (!missing.isEmpty()) {
        missing.chop(2);
        return QStringLiteral("* Please Input ") + missing;
    }
    if (!outside.isEmpty()) {
        return QStringLiteral("* Only Thai and English characters can be stored: ") +
               outside.join(QStringLiteral(" , "));
    }
    return {};
}

void DetailPage::store(int row) const {
    for (int i = 0; i < m_fields.size(); ++i) {
        m_model->setData(m_model->index(row, m_model->fieldIndex(m_fields.at(i).column)), value(i));
    }
}

}  // namespace convertor
