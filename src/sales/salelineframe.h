#pragma once
// The frame of the windows that take a sold piece back or set one aside: the
// reason box with its "…" button (the void, the return, the exchange and the
// problem goods), the search boxes of the shop's sale lines (the return and the
// exchange), and the list of the lines found with its tip and the OK button
// (the void, the return and the exchange). Each window lays the parts out in
// its own rows and keeps its own Enter keys, checks and writes; the parts make
// the controls and do what the windows do alike.

#include "platform/base/jetdb.h"
#include "sales/rules/checkout.h"
#include "sales/rules/salechanges.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class FlexGrid;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace sales {

// The sale line of a list's grid row, as its cells read, the amount under amountCaption.
SoldLine SoldLineOfGridRow(const FlexGrid& grid, int row, const QString& amountCaption);

// The reason of the step: an editable pick list filled from the dictionary list
// of that name, and the "…" button beside it that edits the list and refills
// the box.
class ReasonBox : public QObject {
    Q_OBJECT
public:
    // The controls become the window's.
    ReasonBox(QWidget* window, const QString& list);

    QComboBox* const comResion;
    QPushButton* const cmdLeather;  // "…": the pick list of reasons

    // Lays the caption ("退货原因："), the box and its button into a row of the window.
    void AddTo(QBoxLayout* row, const QString& caption) const;
    // Fills the box from its list.
    void Fill() const;
    void cmdLeather_Click() const;

private:
    QWidget* const window_;
    const QString list_;
};

// The search of the return and the exchange: the sale lines of a sale day, a
// sale number and a goods number, as their three ticked boxes ask, and the
// button that searches. The day starts at today.
class SaleLineBoxes {
public:
    // The controls become the window's.
    explicit SaleLineBoxes(QWidget* window);

    QCheckBox* const chkDate;
    QDateEdit* const DT;
    QCheckBox* const chkNo;
    QLineEdit* const txtSellNo;
    QCheckBox* const chkType;
    QLineEdit* const txtType;
    QPushButton* const cmdQuery;

    // Lays the boxes, each after its ticked caption, and the button into a row
    // of the window.
    void AddTo(QBoxLayout* row) const;
    // Tab goes through the boxes and the button in that order, then on to next.
    void TabOrder(QWidget* next) const;

    // The lines found, their amount column captioned amountCaption. Nothing when
    // no box is ticked ("请选择条件！"), when the search failed (the engine's
    // message has been shown) or when it found nothing (the tip says "无记录！"):
    // the window's list then stays as it was.
    std::optional<jet::RecordSet> Find(const QString& amountCaption, QLabel* lbTip) const;

private:
    QWidget* const window_;
};

// The list of the sale lines found, the reason box, the tip beside the search
// that says when none is, and the OK button. The list shows no line until a
// search finds some; the keys of a line are hidden.
class SaleLineFrame : public QObject {
    Q_OBJECT
public:
    // The list and the reason box become the window's. reasons names the
    // dictionary list of the reason box; the list's amount column is captioned
    // amountCaption, and the columns captioned alsoHidden are hidden with the keys.
    SaleLineFrame(QWidget* window, const QString& reasons, const QString& amountCaption,
                  const QStringList& alsoHidden = {});

    FlexGrid* const VSFlexGrid;  // the sale lines found
    ReasonBox reason;

    // The tip and the OK button, made apart from the list, where the window
    // makes them among its own controls: the window's focus chain follows the
    // order its controls are made in. Each is made once.
    QLabel* MakeTip();
    QPushButton* MakeOk();

    // Lays the tip, after a space, into the search row of the window.
    void AddTip(QBoxLayout* row) const;
    // Enter on a line moves on to the reason.
    void ReasonOnEnter();

    // Binds the empty list and fills the reasons.
    void Load();
    // Binds the list to a query of sale lines and lays it out.
    void BindLines(const jet::RecordSet& rs);
    // Lists the lines a search found: the tip cleared, the list focused on its
    // first line.
    void ShowFound(const jet::RecordSet& rs);
    // The line of that row, as its cells read.
    SoldLine Line(int row) const;
    // Whether the line of that row is still as listed: not voided, returned or
    // exchanged by another program since it was read.
    bool LineAsListed(int row) const;
    // Reads the line of that row again: it shows the line as it now is, or
    // leaves the list when it is no longer one of the shop's valid lines.
    void RereadLine(int row);

    // What became of the write of the line of that row: written, the line leaves
    // the list; a line another program voided, returned or exchanged meanwhile is
    // refused with kLineChangedRefusal and read again; after a failure the
    // engine's words are shown. Anything but written keeps the reason for
    // another try.
    void Settle(const core::Outcome& outcome, int row);

private:
    // The line of that row as the file now has it; nothing after the engine's message.
    std::optional<jet::RecordSet> LineNow(int row) const;

    QWidget* const window_;
    const QString amountCaption_;
    const QStringList alsoHidden_;
    QLabel* lbTip_ = nullptr;
};

}  // namespace sales
