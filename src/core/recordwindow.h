#pragma once
// The maintenance windows that keep a list of records, as the users and the
// roles are kept: the record toolbar above a grid of the records, each row's
// key in column 1. While a record is added or edited the grid's current row
// stays put. Add, Edit, Del, Cancel and Save are each window's own; the steps
// they share are here.

#include "core/recordtoolbar.h"
#include "core/rules/checkedwrite.h"
#include "platform/formbase.h"
#include "platform/base/jetdb.h"

#include <QString>

#include <optional>

class FlexGrid;
class QAction;

namespace core {

class RecordWindow : public FormBase {
    Q_OBJECT
public:
    RecordToolbar* Toolbar;
    FlexGrid* VSFlexGrid;

    bool IsAdd() const { return Toolbar->state() == RecordToolbar::Adding; }
    bool IsEdit() const { return Toolbar->state() == RecordToolbar::Editing; }

    // Runs the step of the clicked button, while the button is enabled.
    void Toolbar_ButtonClick(QAction* Button);

protected:
    explicit RecordWindow(QWidget* parent);

    virtual void Add() = 0;
    virtual void Edit() = 0;
    virtual void Del() = 0;
    virtual void Cancel() = 0;
    virtual void Save() = 0;
    // Shows the current row in the window's inputs.
    virtual void VSFlexGrid_RowColChange() = 0;
    // The current row cannot change while a record is added or edited.
    bool VSFlexGrid_BeforeRowColChange() const { return IsAdd() || IsEdit(); }

    // Runs the statement: its result, or nullopt after a failure, when the
    // engine's words and then kReadFailed have been shown.
    static std::optional<jet::RecordSet> Run(const QString& sql);
    // Shows kReadFailed.
    static void TellReadFailed();
    // Whether a record of the table holds the value in the
    // column: any record while adding, one other than the current row's
    // otherwise. A failed look-up finds none.
    bool ValueTaken(const QString& table, const QString& column, const QString& value, bool isAdd) const;

    // An empty row at the end, current and scrolled to; the toolbar offers
    // Cancel and Save.
    void AddRow();
    // Removes the current row and makes current the row that moved up into its
    // place, or the new last row, and shows it. The removed row's key.
    QString RemoveRow();
    // The cancel of an add takes the added row away (the last row left becomes
    // current), of an edit shows the row's stored values again; the toolbar
    // then browses.
    void CancelRow();
    // Takes what the write of the current row came to. A new row then gets its
    // key (given for an add, empty for an edit), so that it can be edited or
    // deleted at once, and the toolbar browses. False after a failure, when the
    // engine's words and then kReadFailed have been shown: the window stays as
    // it was, for another try.
    bool StoreRow(const Outcome& written, const QString& newKey);
    // Whether the write was stored; after a failure the engine's words and then
    // kReadFailed have been shown.
    static bool Stored(const Outcome& written);
};

}  // namespace core
