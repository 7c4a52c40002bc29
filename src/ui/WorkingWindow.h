#pragma once

#include "core/Money.h"
#include "ui/WorkContext.h"

#include <QAbstractButton>
#include <QHash>
#include <QWidget>
#include <functional>
#include <optional>

// The controls windows are built of, declared here for every window's header.
class DateMaskEdit;
class QButtonGroup;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class StringGrid;

// Base of every working window: the shared context, the return button's
// behaviour, and handlers that never let a failure escape. A failing handler
// stops where it failed, shows the failure as the Prompter shows every
// failure, and leaves the window as it was.
class WorkingWindow : public QWidget {
    Q_OBJECT
public:
    WorkingWindow(WorkContext& context, const QString& caption, QWidget* parent = nullptr);

    // Leaves the main window's frame and closes, instead of being minimised
    // inside it.
    void returnToMainMenu();

    // What the window is, in Thai: the text of its first title (newTitle)
    // until setHeading() names another; empty for a window without a title.
    QString heading() const { return heading_; }
    // The title bar shows the heading after the form name the window was
    // made with: "fmrCost_Entry — บันทึกค่าใช้จ่ายร้านค้า".
    void setHeading(const QString& heading);

    // True while the window holds lines typed but not saved, which closing
    // it would ask about.
    virtual bool holdsUnsavedLines() const { return false; }

    // Shows what the window lists for these fields (by their keys), as if
    // they had been typed and the list asked for; false for a window that
    // lists nothing of the kind.
    virtual bool showFor(const QHash<QString, QString>& fields)
    {
        Q_UNUSED(fields);
        return false;
    }

protected:
    WorkContext& context() const { return context_; }

    // Runs a handler; a failure is shown through Prompter::showFailure.
    void guarded(const std::function<void()>& handler);

    template <class Window>
    void onClick(QAbstractButton* button, void (Window::*handler)())
    {
        onSignal(button, &QAbstractButton::clicked, handler);
    }

    // Any signal of any sender (a combo's text change, a grid's double-click,
    // a radio group's choice) runs the handler guarded like a click.
    template <class Sender, class Signal, class Window>
    void onSignal(Sender* sender, Signal signal, void (Window::*handler)())
    {
        connect(sender, signal, this, [this, handler] { guarded([this, handler] { (static_cast<Window*>(this)->*handler)(); }); });
    }

    // Shorthands for the named controls every window builds.
    QFrame* newPanel(const QString& name);
    QPushButton* newButton(QWidget* parent, const QString& name, const QString& caption);
    QLineEdit* newEdit(QWidget* parent, const QString& name, int maxLength);
    QRadioButton* newRadio(QWidget* parent, const QString& name, const QString& caption);
    QComboBox* newCombo(QWidget* parent, const QString& name, int maxLength);
    static QLabel* newLabel(QWidget* parent, const QString& text);
    // A text beyond the field's length limit (a paste, a dropped text) is
    // refused with "ข้อความยาวเกินกว่าที่กำหนด" instead of being cut silently.
    void sayWhenTooLong(QLineEdit* edit);
    QLabel* newTitle(QWidget* parent, const QString& text);

    // Panels placed in one spot, filling the window; the later one covers the
    // earlier when shown, and hiding it reveals what lies beneath.
    void stackPanels(std::initializer_list<QFrame*> panels);

    // The search group "1. ค้นหาข้อมูล": RadioButton1 beside its edit on the first
    // line, RadioButton2 beside its edit on the second, and btnSearch2 and a
    // leave button to their right.
    struct SearchGroup {
        QGroupBox* group;
        QRadioButton* radio1;
        QLineEdit* edit1;
        QRadioButton* radio2;
        QLineEdit* edit2;
        QPushButton* search;
        QPushButton* leave;

        // Hands the group's controls to the window's own named members.
        void assignTo(QRadioButton*& radioButton1, QLineEdit*& first, QRadioButton*& radioButton2,
                      QLineEdit*& second, QPushButton*& searchButton, QPushButton*& leaveButton) const
        {
            radioButton1 = radio1;
            first = edit1;
            radioButton2 = radio2;
            second = edit2;
            searchButton = search;
            leaveButton = leave;
        }
    };
    struct SearchChoice {
        QString radioCaption;
        QString editName;
        // The widest text the searched column holds: a longer search could
        // find nothing, and a pattern of thousands of characters is refused
        // by the engine.
        int maxLength = 0;
    };
    struct SearchGroupNames {
        QString caption = QStringLiteral("1. ค้นหาข้อมูล");
        QString searchButton = QStringLiteral("btnSearch2");
        QString leaveButton;
        QString leaveCaption;
    };
    SearchGroup newSearchGroup(QWidget* parent, const SearchChoice& first, const SearchChoice& second,
                               const SearchGroupNames& names);
    // The result group holding the grid StringGrid1, by default
    // "2. คลิกเลือกรายการที่ต้องการ".
    QGroupBox* newResultGroup(QWidget* parent, StringGrid*& grid,
                              const QString& caption = QStringLiteral("2. คลิกเลือกรายการที่ต้องการ"));

    // A whole search panel Panel1: an optional title, the search group, the
    // result group and the button that takes the chosen row, at the right.
    struct SearchPanel {
        QFrame* panel;
        SearchGroup search;
        QPushButton* take;
    };
    struct SearchPanelTexts {
        QString title;  // none when empty
        QString resultCaption;
        QString takeName;
        QString takeCaption;
    };
    SearchPanel newSearchPanel(const SearchChoice& first, const SearchChoice& second, const SearchGroupNames& names,
                               const SearchPanelTexts& texts, StringGrid*& grid);

    // The search box pair: the checked radio button enables its own edit only.
    static void enableSearchPair(QLineEdit* active, QLineEdit* inactive);

    // The amount typed into a field, or empty after telling the user why not:
    // the window's own message for text that is no number, the common one
    // for an amount beyond what the amount columns hold.
    std::optional<Money> typedAmount(const QString& text, const QString& notANumberMessage);

    // Whether a payment's or a voucher's date may be saved: refused, said
    // why, when it is after today on the database's clock; asked, default
    // No, when it is before `earlier` (the invoice's issue, the payment),
    // which may be empty.
    bool dateMayBeSaved(const QString& date, const QString& dateWords, const QString& earlier,
                        const QString& earlierWords);

    // The focus into a field with its text selected, so that what is typed
    // next replaces it rather than adding to it.
    static void focusForRetyping(QLineEdit* field);

    // Shows the message through the prompter seam.
    void message(const QString& text);
    bool confirm(const QString& text);
    bool askYesNo(const QString& text);

    // Asked before the window closes by any way (its return button, the
    // frame's X, the program's end); false keeps it open as it was.
    virtual bool mayClose() { return true; }
    void closeEvent(QCloseEvent* event) override;

private:
    WorkContext& context_;
    QString caption_;
    QString heading_;
};
