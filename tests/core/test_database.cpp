// The shop's statements run against a real delivered database: rows and values
// are checked, not the SQL text the layer makes of them.
#include "core/modmain.h"
#include "core/rules/schema.h"
#include "support/shopfixture.h"

namespace {

const QString S = QStringLiteral("{308D7A28-0405-4A3F-AE2C-0A52E6B7901B}");
const QString K1 = QStringLiteral("{11111111-1111-1111-1111-111111111111}");
const QString K2 = QStringLiteral("{22222222-2222-2222-2222-222222222222}");

class Database : public ShopFixture {
protected:
    void addStore(const QString& key, const QString& typeNo, int qty, const QString& idCode = QString())
    {
        sql("Insert Into Store Values('" + key + "','" + S + "','" + typeNo +
            "','男鞋','青禾','40','黑色','真皮','合格品','温州'," + QString::number(qty) + ",180,'" + idCode + "','')");
    }
    void addBatch(const QString& store, double price, int qty, const QString& day)
    {
        sql("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('" + store + "'," +
            QString::number(price) + "," + QString::number(qty) + ",'" + day + "','" + S + "')");
    }
    void addSell(const QString& key, const QString& sellNo, const QString& day, int state = 0,
                 const QString& shop = S, const QString& typeNo = "A1", int qty = 1, double amount = 85)
    {
        sql("Insert Into Sell Values('" + key + "','" + K1 + "','" + shop + "','" + typeNo +
            "','男鞋','青禾','40','黑色','真皮','合格品','温州'," + QString::number(qty) + ",99.5,'08.5'," +
            QString::number(amount) + ",50,'admin','" + day + "','" + sellNo + "','7','张三'," +
            QString::number(state) + ",100,15)");
    }
    bool fails(const QString& statement)
    {
        bool isErr = false;
        gDbopt.Excute(statement, isErr);
        return isErr;
    }
    QString costingBatch(const QString& order)
    {
        jet::RecordSet rs = sql("Select top 1 ID,Price,Quantity from BuyPrice Where StoreGUID='" + K1 +
                                "' And Quantity>0" + " Order by sDate " + order + ", ID " + order);
        return rs.eof() ? QString() : rs.fieldText("Price");
    }
};

}  // namespace

TEST_F(Database, TopOneInBothDirections)
{
    addStore(K1, "A1", 9);
    addBatch(K1, 40, 2, "2024-03-01");  // oldest
    addBatch(K1, 50, 5, "2024-03-04");
    addBatch(K1, 55, 2, "2024-03-04");  // same day, received later
    EXPECT_EQ(costingBatch("ASC"), "40");
    EXPECT_EQ(costingBatch("DESC"), "55");
    sql("Update BuyPrice set Quantity=0");
    EXPECT_EQ(costingBatch("ASC"), "");
    // top n percent is not part of the dialect the shop uses.
    EXPECT_TRUE(fails("Select top 10 percent ID from BuyPrice"));
}

TEST_F(Database, MidFindsTheDaysSaleNumbersThroughAnIndex)
{
    addSell(K1, "202403050001", "2024-03-05");
    addSell(K2, "202403050002", "2024-03-05");
    addSell("{3}", "202403040009", "2024-03-04");
    addSell("{4}", "202403050007", "2024-03-05", 0, "{OTHER-SHOP}");
    jet::RecordSet rs = sql("select SellNo from Sell where mid(SellNo,1,8)='20240305' And ShopNo='" + S + "'" +
                            " Order By SellNo Desc");
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.text(0, 0), "202403050002");
    EXPECT_EQ(rs.text(1, 0), "202403050001");

    // The look-up must not read every sale of the shop's years.
    rs = sql("EXPLAIN QUERY PLAN select SellNo from Sell where mid(SellNo,1,8)='20240305' And ShopNo='" + S + "'" +
             " Order By SellNo Desc");
    QString plan;
    for (int r = 0; r < rs.recordCount(); ++r)
        plan += rs.text(r, rs.fieldIndex("detail")) + "\n";
    EXPECT_TRUE(plan.contains("INDEX ixSellDay")) << plan.toStdString();
    EXPECT_FALSE(plan.contains("TEMP B-TREE")) << plan.toStdString();
}

TEST_F(Database, SellInsertKeepsTextAndReadsQuotedNumbers)
{
    addSell(K1, "202403050001", "2024-03-05");
    jet::RecordSet rs = sql("Select * from Sell");
    ASSERT_EQ(rs.fieldCount(), 24);
    EXPECT_EQ(rs.fieldText("Abate"), "08.5");
    EXPECT_EQ(rs.field("BuyPriceID").typeId(), QMetaType::LongLong);
    EXPECT_EQ(rs.fieldText("buypriceid"), "7");
    EXPECT_EQ(rs.fieldText("Price"), "99.5");
    EXPECT_EQ(rs.fieldText("Money2"), "15");
    EXPECT_EQ(rs.fieldText("SellNo"), "202403050001");
}

TEST_F(Database, HistoryInsertsAndUpdateWithBrackets)
{
    addSell(K1, "202403050001", "2024-03-05");
    sql("Insert Into SellChange Values('" + K2 + "','" + K1 + "','" + S +
        "','A1','男鞋','青''禾','40','黑色','真皮','合格品','温州',1,99.5,'08.5',85,50,'admin','2024-03-05',7,'管理员',-20,'" +
        K1 + "','202403050001','2024-03-06',1,'尺码不合适')");
    sql("Insert Into SellChange Values('{R}','" + QString("','") + S +
        "','A1','男鞋','青禾','40','黑色','真皮','合格品','温州',1,99.5,'全',99.5,50,'admin','2024-03-05',7,'管理员',99.5,'" +
        K1 + "','202403050001','2024-03-06',2,'质量问题')");
    EXPECT_EQ(scalar("select Brand from SellChange Where GUID='" + K2 + "'"), "青'禾");
    EXPECT_EQ(scalar("select AddAmount from SellChange Where GUID='" + K2 + "'"), "-20");
    EXPECT_EQ(scalar("select StoreGUID from SellChange Where GUID='{R}'"), "");

    sql("Update Sell Set StoreGUID='" + K2 + "', ShopNo='" + S + "'," + " TypeNo='B2'," + " Name='女鞋'," +
        " Brand='远帆'," + " [Size]='37'," + " Colour='红色'," + " Leather='帆布'," + " Grade='一等品'," +
        " ProductPlace='广州'," + " Price=120" + ", Abate='全'," + " Amount=120" + ", BuyPrice=60" +
        ", BuyPriceID=9" + ", State=1 Where GUID='" + K1 + "'");
    jet::RecordSet rs = sql("Select * from Sell");
    EXPECT_EQ(rs.fieldText("Size"), "37");
    EXPECT_EQ(rs.fieldText("State"), "1");
    EXPECT_EQ(rs.fieldText("SellNo"), "202403050001");
    EXPECT_EQ(rs.fieldText("Seller"), "admin");
    EXPECT_EQ(rs.fieldText("Money1"), "100");
}

TEST_F(Database, YesNoWrittenOneReadsMinusOne)
{
    sql("Insert Into BackStore ([GUID],ShopNo,TypeNo,Name,Brand,[Size],Colour,Leather,Grade,ProductPlace,"
        "Quantity,BuyPrice,BackResion,Seller,SellName,IsBackFactory,BackFactoryDate) Values('" +
        K1 + "','" + S + "','A1','男鞋','青禾','40','黑色','真皮','合格品','温州',2,100,'开胶','admin','管理员',0,Null)");
    sql("Insert Into BackStore ([GUID],ShopNo,TypeNo,Name,Brand,[Size],Colour,Leather,Grade,ProductPlace,"
        "Quantity,BuyPrice,BackResion,Seller,SellName,IsBackFactory,BackFactoryDate) Values('" +
        K2 + "','" + S + "','B1','男鞋','青禾','40','黑色','真皮','合格品','温州',1,50,'开胶','admin','管理员',0,Null)");
    EXPECT_EQ(scalar("select ID from BackStore Where [GUID]='" + K2 + "'"), "2");
    EXPECT_EQ(scalar("select BackFactoryDate from BackStore Where ID=1"), "");
    EXPECT_EQ(scalar("select IsBackFactory from BackStore Where ID=1"), "0");

    sql("Update BackStore Set IsBackFactory=1,BackFactoryDate='2024-03-05'" + QString(" Where ID=1"));
    EXPECT_EQ(scalar("select IsBackFactory from BackStore Where ID=1"), "-1");
    const QString history = "Select TypeNo as 货号,Quantity as 数量,BuyPrice as 退货金额,BackFactoryDate as 退货日期 "
                            "from BackStore Where ShopNo='" + S + "' And IsBackFactory=true And BackFactoryDate>=#" +
                            "2024-03-01" + "# And BackFactoryDate<=#" + "2024-03-05" + "#" + " Order By TypeNo";
    jet::RecordSet rs = sql(history);
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.fieldText("货号"), "A1");
    EXPECT_EQ(rs.fieldText("退货日期"), "2024-03-05");
    EXPECT_EQ(scalar("select count(*) from BackStore Where ShopNo='" + S + "' And IsBackFactory=0"), "1");

    // The role window writes 1/0 and reads "-1" back, columns in the table's order.
    QStringList flags;
    for (int i = 0; i < schema::roleFlags().size(); ++i)
        flags << (i % 2 ? "0" : "1");
    sql("Insert Into Role Values ('" + K1 + "','收银员'," + flags.join(',') + ")");
    sql("Update Role Set Name='店员', AllList=0, Data=1 Where GUID='" + K1 + "'");
    rs = sql("Select * from Role ");
    const int row = rs.text(0, 0) == K1 ? 0 : 1;
    ASSERT_EQ(rs.fieldCount(), 28);
    EXPECT_EQ(rs.fieldName(2), "AllList");
    EXPECT_EQ(rs.text(row, 1), "店员");
    EXPECT_EQ(rs.text(row, 2), "0");
    EXPECT_EQ(rs.text(row, 3), "-1");
    EXPECT_EQ(rs.text(row, 4), "-1");  // ReStart, third flag, written 1
    EXPECT_EQ(rs.text(row, 5), "0");
}

TEST_F(Database, RulesUpdateAndRead)
{
    sql("Update SellRole Set SellOrder=1,BackDays=3,AbateCannotBack=1,SpecialCannotBack=0,ChangeDays=7,"
        "AbateCannotChange=0,SpecialCannotChange=1,SameTypeChange=0,DearGoodsChange=1, ChangeOneTime=1,"
        "ChangNotToBack=0,IsPrint=1,PrinterType=1 Where ShopNo='" + S + "'");
    jet::RecordSet rs = sql("select * from SellRole Where ShopNo='" + S + "'");
    ASSERT_EQ(rs.fieldCount(), 14);
    EXPECT_EQ(rs.fieldText("AbateCannotBack"), "-1");
    EXPECT_EQ(rs.fieldText("BackDays"), "3");
    gSellRole.Initial(S);
    EXPECT_EQ(gSellRole.SellOrder, 1);
    EXPECT_TRUE(gSellRole.AbateCanNotBack);
    EXPECT_FALSE(gSellRole.SpecialCanNotBack);
    EXPECT_TRUE(gSellRole.IsPrint);
    EXPECT_EQ(gSellRole.PrinterType, 1);
}

TEST_F(Database, GroupByIgnoresLetterCaseAndDateRangesIncludeBothEnds)
{
    addSell("{1}", "202403010001", "2024-03-01", 0, S, "A1");
    addSell("{2}", "202403030001", "2024-03-03", 1, S, "a1");
    addSell("{3}", "202403050001", "2024-03-05", 0, S, "B1");
    addSell("{4}", "202403050002", "2024-03-05", 2, S, "B1");  // returned
    addSell("{5}", "202403050003", "2024-03-05", 3, S, "B1");  // voided
    addSell("{6}", "202403060001", "2024-03-06", 0, S, "B1");  // after the range
    jet::RecordSet rs = sql(
        "Select TypeNo as 货号,Name as 种类 ,Brand as 品牌,[Size] as 尺码,Colour as 颜色,Leather as 面料,Grade as 等级,"
        "ProductPlace as 产地,sum(Quantity) as 数量 from Sell Where ShopNo='" + S + "' And DateTime>=#" +
        "2024-3-1" + "# And DateTime <=#" + "2024/03/05" +
        "# And State<2  Group By TypeNo,Name,Brand,[Size],Colour,Leather,Grade,ProductPlace Order by sum(Quantity) DESC");
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.fieldName(0), "货号");
    EXPECT_EQ(rs.fieldName(8), "数量");
    EXPECT_EQ(rs.text(0, 0).toUpper(), "A1");
    EXPECT_EQ(rs.text(0, 8), "2");
    EXPECT_EQ(rs.text(1, 8), "1");

    rs = sql("Select TypeNo as 货号, Name as 种类 ,Brand as 品牌,Quantity as 数量,Price as 零售价,Abate as 折扣,"
             "Amount as 实收金额,SellerName as 销售员,SellNo as 销售编号,DateTime as 销售日期 from Sell Where ShopNo='" +
             S + "' And DateTime>=#2024-03-01# And DateTime <=#2024-03-05# And State<2 And Brand='青禾' And Name='男鞋'"
             " Order By TypeNo,[Size],Colour");
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.fieldName(9), "销售日期");
    EXPECT_EQ(rs.text(0, 9), "2024-03-01");
}

TEST_F(Database, SumsOverExpressionsAndEmptyPeriods)
{
    const QString profit = "Select Sum(Quantity) as 数量,Sum(Amount) as 金额,Sum(Amount-BuyPrice) as 利润 From Sell "
                           "Where DateTime>=#2024-03-01# And DateTime<=#2024-03-31# And ShopNo='" + S + "' And State<2";
    jet::RecordSet rs = sql(profit);
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_TRUE(rs.field("数量").isNull());
    EXPECT_EQ(rs.fieldText("利润"), "");

    sql("Insert Into StoreDetail Values('" + K1 + "','" + K2 + "','" + S +
        "','A1','男鞋','青禾','40','黑色','真皮','合格品',90,3,'温州','','2024-03-05')");
    sql("Insert Into StoreDetail Values('" + K2 + "','" + K2 + "','" + S +
        "','A2','男鞋','青禾','40','黑色','真皮','合格品',29.9,1,'温州','','2024-03-05')");
    rs = sql("Select Sum(Quantity) as 数量,Sum(Price*Quantity) as 价格 From StoreDetail Where DateTime>=#2024-03-01#"
             " And DateTime<=#2024-03-31# And ShopNo='" + S + "' And TypeNo='A1'");
    EXPECT_EQ(rs.fieldText("价格"), "270");
    rs = sql("Select Sum(Price*Quantity) as 价格 From StoreDetail Where ShopNo='" + S + "'");
    EXPECT_EQ(rs.fieldText("价格"), "299.9");
}

TEST_F(Database, SettlementRowFoundAgainByItsDay)
{
    addSell("{1}", "202403050001", "2024-03-05");
    jet::RecordSet rs = sql("Select Sum(Quantity) as 数量,sum(Amount) as 金额 from Sell Where ShopNo='" + S +
                            "' And   DateTime=#2024-03-05# And Seller='ADMIN'");
    EXPECT_EQ(rs.fieldText("数量"), "1");
    EXPECT_EQ(rs.fieldText("金额"), "85");
    sql("Insert Into DayAmount Values('" + K1 + "',1,85,0,0,0,0,85,'管理员','2024-03-05','" + S + "','我的店铺')");
    rs = sql("Select  * from  DayAmount Where DateTime=#2024-03-05# And ShopNo='" + S + "'  And Seller='管理员'");
    EXPECT_EQ(rs.recordCount(), 1);
}

TEST_F(Database, GridDateTextFindsItsBatchAndBetweenIncludesBothEnds)
{
    sql("Insert Into StoreDetail Values('" + K2 + "','" + K1 + "','" + S +
        "','A1','男鞋','青禾','40','黑色','真皮','合格品',90,3,'温州','','2024-03-05')");
    addBatch(K1, 90, 3, "2024-03-05");
    jet::RecordSet rs = sql("Select TypeNo as 货号,DateTime as 进货日期, ParentGUID ,GUID from StoreDetail Where ShopNo='" +
                            S + "' And DateTime Between #2024-03-05# And #2024-03-05#" + " And TypeNo='a1'");
    ASSERT_EQ(rs.recordCount(), 1);
    const QString shown = rs.fieldText("进货日期");
    rs = sql("Select Quantity,ID from BuyPrice Where StoreGUID='" + rs.fieldText("ParentGUID") + "' And sDate=#" + shown + "#");
    EXPECT_EQ(rs.recordCount(), 1);
}

TEST_F(Database, DoubleMinusIsArithmeticNeverAComment)
{
    addStore(K1, "A1", 5);
    addStore(K2, "A2", 7);
    sql("Update Store Set Quantity=Quantity-" + QString::number(-2) + " Where GUID='" + K1 + "'");
    EXPECT_EQ(scalar("select Quantity from Store Where GUID='" + K1 + "'"), "7");
    EXPECT_EQ(scalar("select Quantity from Store Where GUID='" + K2 + "'"), "7");
    sql("Update Store Set Quantity=Quantity+ " + QString::number(-2) + " Where GUID='" + K1 + "'");
    EXPECT_EQ(scalar("select Quantity from Store Where GUID='" + K1 + "'"), "5");
    EXPECT_EQ(scalar("select Quantity from Store Where GUID='" + K2 + "'"), "7");
}

TEST_F(Database, ReceiptTripleKeepsBarCodesAndRefusesOtherDates)
{
    addStore(K1, "A1", 3, "0012");
    EXPECT_EQ(scalar("select IDCode from Store"), "0012");
    EXPECT_EQ(scalar("select count(*) from Store Where IDCode='0012'"), "1");
    addBatch(K1, 90, 3, "2024-03-05");
    EXPECT_EQ(scalar("select sDate from BuyPrice"), "2024-03-05");
    EXPECT_TRUE(fails("Insert Into BuyPrice (StoreGUID,Price,Quantity,sDate,ShopNo) Values('" + K1 +
                      "',90,3,'05/03/2024','" + S + "')"));
    EXPECT_TRUE(fails("select * from BuyPrice Where sDate=#05/03/2024#"));
    EXPECT_TRUE(fails("select * from BuyPrice Where sDate=#2024-02-30#"));
    EXPECT_EQ(scalar("select count(*) from BuyPrice"), "1");
}

TEST_F(Database, LikeAndExactLookUps)
{
    addStore(K1, "ZMN0001", 3, "690001");
    addStore(K2, "O''1", 2);
    const auto like = [&](const QString& typed) {
        return sql("Select TypeNo from Store Where Typeno Like " + core::SqlQuote("%" + typed + "%") + " And ShopNo='" + S +
                   "' And Quantity>0")
            .recordCount();
    };
    EXPECT_EQ(like("mn0"), 1);
    EXPECT_EQ(like("O'1"), 1);
    EXPECT_EQ(like(""), 2);
    EXPECT_EQ(sql("Select TypeNo from Store Where ShopNo='" + S + "' And IDCode=" + core::SqlQuote("690001"))
                  .recordCount(),
              1);
    EXPECT_EQ(sql("Select TypeNo from Store Where ShopNo='" + S + "' And IDCode=" + core::SqlQuote("69000"))
                  .recordCount(),
              0);
}

TEST_F(Database, UserLookUpIgnoresLetterCase)
{
    const QString role = schema::kAdminRoleKey;
    sql("Insert Into [User] Values ('" + K1 + "','A01','张三','pw','" + role + "','系统管理员')");
    EXPECT_EQ(sql("Select * from [User] Where [No]='a01'").recordCount(), 1);
    EXPECT_EQ(sql("Select * from [User] Where [No]='A01' And GUID<>'" + K1 + "'").recordCount(), 0);
    sql("Update [User] Set [No]='A02', Name='李四', pwd='p''w', RoleGUID='" + role + "',RoleName='系统管理员' Where GUID='" + K1 + "'");
    EXPECT_EQ(scalar("Select pwd from [User] Where [No]='a02'"), "p'w");
}

TEST_F(Database, InjectionCannotAddOrCutStatements)
{
    addSell(K1, "202403050001", "2024-03-05");
    messages().clear();
    EXPECT_TRUE(fails("Select * from [User] Where [No]='x' or 1=1 --'"));
    EXPECT_TRUE(fails("Select * from [User] Where [No]='x'; delete from Sell'"));
    EXPECT_TRUE(fails("delete from Sell; delete from Store"));
    EXPECT_TRUE(fails("delete from Sell /* everything */"));
    EXPECT_EQ(scalar("select count(*) from Sell"), "1");
    EXPECT_EQ(scalar("select 'a#b--c;/*'"), "a#b--c;/*");
    EXPECT_EQ(scalar("select count(*) from Sell;  "), "1");
}

TEST_F(Database, FailedStatementShowsTheEnginesWordsOnceAndTheNextRuns)
{
    messages().clear();
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute("Selec * from Sell", isErr);
    EXPECT_TRUE(isErr);
    EXPECT_FALSE(rs.isOpen());
    ASSERT_EQ(messages().shown().size(), 1);
    EXPECT_TRUE(messages().last().text.contains("syntax error"));
    EXPECT_EQ(messages().last().icon, ui::Icon::None);
    EXPECT_EQ(messages().last().title, ui::appTitle());
    EXPECT_THROW(rs.field("GUID"), jet::Error);
    rs = gDbopt.Excute("select count(*) as n from Sell", isErr);
    EXPECT_FALSE(isErr);
    EXPECT_EQ(rs.fieldText("N"), "0");
}

TEST_F(Database, AutonumbersAreNeverReused)
{
    addBatch(K1, 10, 1, "2024-03-05");
    addBatch(K1, 10, 1, "2024-03-05");
    for (const char* wipe : {"Delete From Sell", "Delete from Store", "delete from StoreDetail", "delete from BuyPrice",
                             "delete from BackStore", "delete from SellChange", "delete from DayAmount",
                             "delete from OtherOut", "delete from FactoryBackTotal"})
        sql(wipe);
    addBatch(K1, 10, 1, "2024-03-05");
    EXPECT_EQ(scalar("select ID from BuyPrice"), "3");
}

TEST_F(Database, TransactionsRollBack)
{
    gDbopt.BeginTrans();
    addStore(K1, "A1", 1);
    gDbopt.RollbackTrans();
    EXPECT_EQ(scalar("select count(*) from Store"), "0");
    gDbopt.BeginTrans();
    addStore(K1, "A1", 1);
    gDbopt.CommitTrans();
    EXPECT_EQ(scalar("select count(*) from Store"), "1");
    EXPECT_THROW(gDbopt.CommitTrans(), jet::Error);
}
