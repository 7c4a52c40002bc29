#include "ui/WorkingWindow.h"

#include "core/ThaiDate.h"
#include "data/Database.h"
#include "ui/Prompter.h"
#include "ui/StringGrid.h"
#include "ui/WindowMessages.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <exception>
#include <memory>
#include <utility>

namespace {
const QString kTooLong = QStringLiteral("ข้อความยาวเกินกว่าที่กำหนด");
}

WorkingWindow::WorkingWindow(WorkContext& context, const QString& caption, QWidget* parent)
    : QWidget(parent), context_(context), caption_(caption)
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
}

void WorkingWindow::setHeading(const QString& heading)
{
    heading_ = heading;
    setWindowTitle(heading.isEmpty() ? caption_ : caption_ + QStringLiteral(" — ") + heading);
}

void WorkingWindow::returnToMainMenu()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        frame->close();
        return;
    }
    close();
}

void WorkingWindow::guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        context_.prompter.showFailure(this, e);
    }
}

bool WorkingWindow::dateMayBeSaved(const QString& date, const QString& dateWords, const QString& earlier,
                                   const QString& earlierWords)
{
    // Compared as yyyymmdd, as the listings select them.
    const QString today = CurrentDateText(context_.db.serverNow());
    if (DisplayToSortDate(date) > DisplayToSortDate(today)) {
        message(WindowMessages::NotAfterToday(dateWords, today));
        return false;
    }
    if (IsCalendarDate(earlier) && DisplayToSortDate(date) < DisplayToSortDate(earlier))
        return askYesNo(WindowMessages::EarlierDateQuestion(dateWords, date, earlierWords, earlier));
    return true;
}

void WorkingWindow::focusForRetyping(QLineEdit* field)
{
    field->setFocus();
    field->selectAll();
}

QFrame* WorkingWindow::newPanel(const QString& name)
{
    auto* panel = new QFrame(this);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    return panel;
}

QPushButton* WorkingWindow::newButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter on the focused button clicks it, as Space does.
    button->setAutoDefault(true);
    return button;
}

QLineEdit* WorkingWindow::newEdit(QWidget* parent, const QString& name, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
        sayWhenTooLong(edit);
    }
    return edit;
}

namespace {

// A key typed into a full field is dropped quietly, as it always was; only
// text that arrives several characters at once (a paste, a drop, an input
// method's word) and does not fit is worth a word to the clerk.
class TypedKeyWatch final : public QObject {
public:
    explicit TypedKeyWatch(QLineEdit* edit) : QObject(edit) { edit->installEventFilter(this); }
    // True only while one typed character is being handled.
    bool quiet = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
        quiet = key && key->text().size() == 1 && !key->matches(QKeySequence::Paste);
        return false;
    }
};

} // namespace

void WorkingWindow::sayWhenTooLong(QLineEdit* edit)
{
    // The field keeps what fits of a paste and drops the rest; instead the
    // paste is refused whole, the field goes back to what it held, and the
    // clerk is told.
    auto* keys = new TypedKeyWatch(edit);
    auto before = std::make_shared<QString>(edit->text());
    connect(edit, &QLineEdit::textChanged, edit, [edit, before] {
        if (!edit->property("restoringAfterOverflow").toBool())
            *before = edit->text();
    });
    connect(edit, &QLineEdit::inputRejected, this, [this, edit, keys, before] {
        const bool typedKey = std::exchange(keys->quiet, false);
        if (typedKey || edit->text().size() < edit->maxLength())
            return;  // one key too many, or refused by a mask or validator
        // Signalled in the middle of the insert: put things right once the
        // field has finished it.
        const QString previous = *before;
        QMetaObject::invokeMethod(
            this,
            [this, edit, previous] {
                if (edit->text() != previous) {
                    edit->setProperty("restoringAfterOverflow", true);
                    edit->setText(previous);
                    edit->setProperty("restoringAfterOverflow", false);
                }
                message(kTooLong);
            },
            Qt::QueuedConnection);
    });
}

QRadioButton* WorkingWindow::newRadio(QWidget* parent, const QString& name, const QString& caption)
{
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(name);
    return radio;
}

QComboBox* WorkingWindow::newCombo(QWidget* parent, const QString& name, int maxLength)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (maxLength > 0) {
        combo->lineEdit()->setMaxLength(maxLength);
        sayWhenTooLong(combo->lineEdit());
    }
    return combo;
}

QLabel* WorkingWindow::newLabel(QWidget* parent, const QString& text)
{
    return new QLabel(text, parent);
}

QLabel* WorkingWindow::newTitle(QWidget* parent, const QString& text)
{
    auto* title = new QLabel(text, parent);
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    // The first title heads the window; the title bar shows it once the
    // window is opened from the menu.
    if (heading_.isEmpty())
        heading_ = text;
    return title;
}

void WorkingWindow::stackPanels(std::initializer_list<QFrame*> panels)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QFrame* panel : panels)
        layout->addWidget(panel, 0, 0);
}

WorkingWindow::SearchGroup WorkingWindow::newSearchGroup(QWidget* parent, const SearchChoice& first,
                                                         const SearchChoice& second, const SearchGroupNames& names)
{
    SearchGroup g;
    g.group = new QGroupBox(names.caption, parent);
    g.radio1 = newRadio(g.group, QStringLiteral("RadioButton1"), first.radioCaption);
    g.edit1 = newEdit(g.group, first.editName, first.maxLength);
    g.radio2 = newRadio(g.group, QStringLiteral("RadioButton2"), second.radioCaption);
    g.edit2 = newEdit(g.group, second.editName, second.maxLength);
    g.search = newButton(g.group, names.searchButton, QStringLiteral("ค้นหาข้อมูล"));
    g.leave = newButton(g.group, names.leaveButton, names.leaveCaption);
    auto* layout = new QGridLayout(g.group);
    layout->addWidget(g.radio1, 0, 0);
    layout->addWidget(g.edit1, 0, 1);
    layout->addWidget(g.search, 0, 2);
    layout->addWidget(g.radio2, 1, 0);
    layout->addWidget(g.edit2, 1, 1);
    layout->addWidget(g.leave, 1, 2);
    layout->setColumnStretch(1, 1);
    return g;
}

QGroupBox* WorkingWindow::newResultGroup(QWidget* parent, StringGrid*& grid, const QString& caption)
{
    auto* group = new QGroupBox(caption, parent);
    grid = new StringGrid(group);
    grid->setObjectName(QStringLiteral("StringGrid1"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(grid);
    return group;
}

WorkingWindow::SearchPanel WorkingWindow::newSearchPanel(const SearchChoice& first, const SearchChoice& second,
                                                         const SearchGroupNames& names, const SearchPanelTexts& texts,
                                                         StringGrid*& grid)
{
    SearchPanel p;
    p.panel = newPanel(QStringLiteral("Panel1"));
    auto* layout = new QVBoxLayout(p.panel);
    if (!texts.title.isEmpty())
        layout->addWidget(newTitle(p.panel, texts.title));
    p.search = newSearchGroup(p.panel, first, second, names);
    layout->addWidget(p.search.group);
    layout->addWidget(newResultGroup(p.panel, grid, texts.resultCaption), 1);
    p.take = newButton(p.panel, texts.takeName, texts.takeCaption);
    auto* takeRow = new QHBoxLayout;
    takeRow->addStretch();
    takeRow->addWidget(p.take);
    layout->addLayout(takeRow);
    return p;
}

void WorkingWindow::enableSearchPair(QLineEdit* active, QLineEdit* inactive)
{
    active->setEnabled(true);
    inactive->setEnabled(false);
}

std::optional<Money> WorkingWindow::typedAmount(const QString& text, const QString& notANumberMessage)
{
    const TypedAmount typed = ParseTypedAmount(text);
    if (typed.error == TypedAmount::Error::TooLarge)
        message(WindowMessages::AmountTooLarge);
    else if (typed.error == TypedAmount::Error::NotANumber)
        message(notANumberMessage);
    return typed.amount;
}

void WorkingWindow::message(const QString& text)
{
    context_.prompter.showMessage(this, text);
}

bool WorkingWindow::confirm(const QString& text)
{
    return context_.prompter.confirm(this, text);
}

bool WorkingWindow::askYesNo(const QString& text)
{
    return context_.prompter.askYesNo(this, text);
}

void WorkingWindow::closeEvent(QCloseEvent* event)
{
    bool may = false;
    guarded([&] { may = mayClose(); });
    if (!may) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
