#pragma once

#include <QObject>
#include <initializer_list>

class QWidget;

// Enter in one of the given fields moves the focus to the next control in tab
// order, as Tab would; the Enter key itself is passed on unchanged. Only the
// fields given here behave this way, not the whole application.
class EnterMovesFocus : public QObject {
    Q_OBJECT
public:
    static void install(QObject* owner, std::initializer_list<QWidget*> fields);
    // Enter in one of the fields moves the focus straight to `target`, for
    // fields that share one next control (two search texts, one search button).
    static void install(QObject* owner, std::initializer_list<QWidget*> fields, QWidget* target);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    QWidget* target_ = nullptr;
};
