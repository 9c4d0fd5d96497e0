#pragma once
// "进货明细查询": the shop's receipt lines, filtered by receipt days and goods
// number, with their quantity total. A receipt entered in error is deleted from
// here, which takes its pieces back out of stock with their batch while none of
// them has been sold; or it is corrected in the receipt editor, which puts the
// corrected line into this list.

#include "platform/formbase.h"

#include <QString>

class FlexGrid;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

class frmbuyInDetail : public FormBase {
    Q_OBJECT
public:
    explicit frmbuyInDetail(QWidget* parent = nullptr);

    FlexGrid* VSFlexGrid;
    QCheckBox* chkDate;
    QDateEdit* DTBeginTime;
    QDateEdit* DTEndTime;
    QCheckBox* chkTypeNo;
    QLineEdit* txtNo;
    QPushButton* cmdQuery;
    QPushButton* cmdDel;
    QPushButton* cmdedit;

    void LoadAllDetails();
    // The condition of the checked filters; empty when none is checked.
    QString BuildFilter() const;
    void cmdQuery_Click();
    void cmdDel_Click();
    void cmdedit_Click();

private:
    void Form_Load();
    // Binds the list to a select of receipt lines and lays it out with its total;
    // a failed select leaves the list as it was.
    void ShowDetails(const QString& sql);

    QString shownSql_;  // the select of the list shown
};
