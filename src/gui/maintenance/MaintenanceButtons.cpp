#include "maintenance/MaintenanceButtons.h"

#include <QApplication>
#include <QPushButton>
#include <QStyle>

namespace convertor {

namespace {

struct ButtonText {
    const char* objectName;
    const char* caption;
    const char* hint;
    QStyle::StandardPixmap picture;
};

const std::array<ButtonText, MaintenanceButtons::ActionCount> kButtons{{
    {"bBack", "Back", "ย้อนกลับ [ESC]", QStyle::SP_ArrowBack},
    {"bBranch", "Branch", "เพิ่มสาขา [F7]", QStyle::SP_DirLinkIcon},
    {"bNew", "New", "เพิ่มข้อมูล [F1]", QStyle::SP_FileIcon},
    {"bEdit", "Edit", "แก้ไขข้อมูล [F2]", QStyle::SP_FileDialogDetailedView},
    {"bDelete", "Delete", "ลบข้อมูล [F3]", QStyle::SP_TrashIcon},
    {"bView", "View", "แสดงข้อมูล [F4]", QStyle::SP_FileDialogContentsView},
    {"bSave", "Save", "บันทึกข้อมูล [F9]", QStyle::SP_DialogSaveButton},
    {"bCancel", "Cancel", "ยกเลิกการบันทึกข้อมูล [ESC]", QStyle::SP_DialogCancelButton},
}};

}  // namespace

MaintenanceButtons::MaintenanceButtons(bool branchCaption, QWidget* parent) : QObject(parent) {
    for (int i = 0; i < ActionCount; ++i) {
        const ButtonText& text = kButtons.at(i);
        auto* button = new QPushButton(parent);
        button->setObjectName(QString::fromLatin1(text.objectName));
        const QString caption = QString::fromUtf8(text.caption);
        if (i != Branch || branchCaption) {
            button->setText(caption);
        }
        // A button without a caption still needs a name for screen readers.
        button->setAccessibleName(caption);
        button->setToolTip(QString::fromUtf8(text.hint));
        button->setIcon(QApplication::style()->standardIcon(text.picture));
        button->setAutoDefault(false);
        const auto action = static_cast<Action>(i);
        connect(button, &QPushButton::clicked, this, [this, action] { emit triggered(action); });
        m_buttons.at(i) = button;
    }
    setMode(Mode::Browse);
}

void MaintenanceButtons::setMode(Mode mode) {
    m_mode = mode;
    const bool browsing = mode == Mode::Browse;
    for (Action action : {New, Edit, View, Delete, Branch}) {
        button(action)->setEnabled(browsing);
    }
    // Save and Cancel sit on the detail page; outside an edit they stay disabled so that F9 and
    // the like do nothing.
    for (Action action : {Save, Cancel}) {
        button(action)->setEnabled(mode == Mode::Edit);
    }
}

}  // namespace convertor
