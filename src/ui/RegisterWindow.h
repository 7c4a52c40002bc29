#pragma once

#include "ui/WorkingWindow.h"

// A register kept in three stacked panels, as the cost type catalogue and the
// shop register are: the home panel Panel1 (add, edit, back to the main
// menu); the search panel Panel2 (find by one of two fields, pick a row and
// edit it); and the entry panel Panel3 the window builds itself, where a new
// or a found record is typed and saved. The way between the panels is the
// same for every register; what is found, shown and saved is the window's.
class RegisterWindow : public WorkingWindow {
    Q_OBJECT
public:
    // Handlers, one per control event.
    virtual void FormCreate();
    void RadioButton1Click();
    void RadioButton2Click();
    void btnAdd_DataClick();
    void btnEdit_DataClick();
    virtual void btnSearch2Click() = 0;
    virtual void btnEdit2Click() = 0;
    virtual void btnSave3Click() = 0;
    void btnCancel3Click();
    void btnExit2Click();
    void btnExit1Click();

protected:
    struct Texts {
        QString title;                    // above every panel
        SearchChoice first, second;       // the two ways of searching
    };
    RegisterWindow(WorkContext& context, const QString& caption, const Texts& texts, QWidget* parent);

    // The home and search panels; the window builds Panel3 after them, with
    // btnSave3 and btnCancel3, then calls finishPanels().
    void buildHomeAndSearchPanels();
    // The register's title, for the top of Panel3.
    QLabel* newPanelTitle(QWidget* panel) { return newTitle(panel, texts_.title); }
    // Stacks the three panels and connects every handler.
    void finishPanels();

    // An empty entry for a new record.
    virtual void startNewEntry() = 0;
    // An empty result list, with its columns.
    virtual void resetResults() = 0;

    enum Mode { AddMode = 1, EditMode = 2 };
    // Each window keeps its own mode, so two open windows do not disturb
    // each other.
    int mode_ = AddMode;

    QFrame* Panel1 = nullptr;
    QPushButton* btnAdd_Data = nullptr;
    QPushButton* btnEdit_Data = nullptr;
    QPushButton* btnExit1 = nullptr;

    QFrame* Panel2 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    // The fields of the first and the second way of searching.
    QLineEdit* firstSearch_ = nullptr;
    QLineEdit* secondSearch_ = nullptr;
    QPushButton* btnSearch2 = nullptr;
    QPushButton* btnExit2 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* btnEdit2 = nullptr;

    QFrame* Panel3 = nullptr;
    QPushButton* btnSave3 = nullptr;
    QPushButton* btnCancel3 = nullptr;

private:
    Texts texts_;
};
