#include "ui/EnterMovesFocus.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

void EnterMovesFocus::install(QObject* owner, std::initializer_list<QWidget*> fields)
{
    install(owner, fields, nullptr);
}

void EnterMovesFocus::install(QObject* owner, std::initializer_list<QWidget*> fields, QWidget* target)
{
    auto* filter = new EnterMovesFocus(owner);
    filter->target_ = target;
    for (QWidget* field : fields) {
        field->installEventFilter(filter);
        // An editable combo box receives its keys through its line edit.
        if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
            combo->lineEdit()->installEventFilter(filter);
    }
}

bool EnterMovesFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
            QWidget* field = qobject_cast<QWidget*>(watched);
            // The window's own focus widget when no window is active (no
            // window manager has given this one the focus yet).
            QWidget* focus = QApplication::focusWidget();
            if (!focus && field)
                focus = field->window()->focusWidget();
            if (field && (focus == field || field->isAncestorOf(focus) || (focus && focus->focusProxy() == field)
                          || (field->focusProxy() && field->focusProxy() == focus))) {
                if (target_) {
                    target_->setFocus(Qt::TabFocusReason);
                } else {
                    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                    QApplication::sendEvent(focus ? focus : field, &tab);
                }
            }
        }
    }
    return false;
}
