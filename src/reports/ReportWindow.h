#pragma once

#include "billing/ListingDescription.h"
#include "ui/WorkingWindow.h"

#include <QVector>

#include <memory>

class QHBoxLayout;

// The window of a period listing, built from the listing's description: the
// fields it asks for, "แสดงผล" filling the grid with the listing's rows, the
// export of the rows last listed to a spreadsheet file, and the listing's
// extra button when it has one.
class ReportWindow : public WorkingWindow {
    Q_OBJECT
public:
    ReportWindow(WorkContext& context, const ListingDescription& listing, QWidget* parent = nullptr);

    void FormCreate();
    void btnSelectClick();
    void BitBtn1Click();
    void btnExitClick();
    // The listing's extra button: its pages for the fields as they read now,
    // in the preview.
    void actionClick();

    // The fields given are set (the others keep what they hold) and the
    // listing shown.
    bool showFor(const QHash<QString, QString>& fields) override;

    // Where exports are written: COSTDESK_EXPORT_DIR when set, else the
    // user's documents, folder CostDesk.
    static QString exportFolder();

private:
    // The controls of one field, those of its kind set.
    struct FieldControls {
        const ListingField* field = nullptr;
        DateMaskEdit* date = nullptr;
        QLineEdit* code = nullptr;
        QRadioButton* all = nullptr; // cost type: all of them, or
        QRadioButton* one = nullptr; // the one chosen in
        QComboBox* costTypes = nullptr;
        QButtonGroup* choice = nullptr;
    };
    // Builds the field's controls: a date or a code into the range row, a
    // cost type or a choice as a group of its own into `groups`.
    void buildField(const ListingField& field, QWidget* parent, QHBoxLayout* range, QHBoxLayout*& groups);
    void setStart(const FieldControls& f);
    // The fields' values as they read now.
    ListingValues values() const;
    // Whether every date field holds a real day; if not, says so and puts
    // the cursor there.
    bool datesAreValid();

    const ListingDescription& listing_;
    QList<FieldControls> fields_;
    // The rows the grid shows; none before the first display. The export
    // writes these, not the grid's texts.
    std::shared_ptr<const ListingRows> listed_;
    QLabel* Label3 = nullptr;
    QPushButton* btnSelect = nullptr;
    QPushButton* btnExit = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* actionButton_ = nullptr; // the listing's extra button, if any
};
