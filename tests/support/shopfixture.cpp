#include "support/shopfixture.h"

#include "core/frmlogin.h"
#include "core/modmain.h"
#include "core/rules/schema.h"
#include "support/rulesfixture.h"

#include <QFile>

#include <sqlite3.h>

void ShopFixture::SetUp()
{
    fakes = std::make_unique<FakePlatform>();
    dir_ = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dir_->isValid());
    ui::setProgramFolder(dir_->path());
    QString error;
    ASSERT_TRUE(schema::createDeliveredDatabase(clsDbopt::DatabasePath(), &error)) << error.toStdString();
    // The login window Main opens is closed at once; the fixture logs in below.
    fakes->modal.dismiss<frmLogin>();
    ASSERT_TRUE(core::Main());
    fakes.reset();
    fakes = std::make_unique<FakePlatform>();
    jet::RecordSet shop = gDbopt.Excute(QStringLiteral("select * from Shop"));
    ASSERT_FALSE(shop.eof());
    gShopNo = shop.fieldText(QStringLiteral("GUID"));
    gShopName = shop.fieldText(QStringLiteral("ShopName"));
    ASSERT_TRUE(gUser.Initial(QStringLiteral("admin")));
    gSellRole.Initial(schema::kShopKey);
}

void ShopFixture::TearDown()
{
    EXPECT_EQ(fakes->messages.pendingAnswers(), 0) << "answers queued but never asked for";
    gDbopt.Release();
    ui::setProgramFolder(QString());
    fakes.reset();
    dir_.reset();
}

jet::RecordSet ShopFixture::sql(const QString& statement)
{
    bool isErr = false;
    jet::RecordSet rs = gDbopt.Excute(statement, isErr);
    EXPECT_FALSE(isErr) << statement.toStdString() << ": " << fakes->messages.last().text.toStdString();
    return rs;
}

void ShopFixture::elsewhere(const QString& statement)
{
    jet::Connection other;
    QString error;
    ASSERT_TRUE(other.open(clsDbopt::ConnectionString(), schema::kApplicationId, &error)) << error.toStdString();
    other.execute(statement, &error);
    EXPECT_TRUE(error.isEmpty()) << statement.toStdString() << ": " << error.toStdString();
}

void ShopFixture::onItsOwnConnection(const QString& statement) { rulestest::OnItsOwnConnection(statement); }

void ShopFixture::failWrites(const QString& table, const QString& kind, const QString& condition)
{
    rulestest::FailWrites(table, kind, condition);
}

void ShopFixture::allowWritesAgain(const QString& table, const QString& kind)
{
    rulestest::AllowWritesAgain(table, kind);
}

QString ShopFixture::scalar(const QString& query)
{
    jet::RecordSet rs = sql(query);
    return rs.eof() ? QString() : rs.text(0, 0);
}

bool OpenShopSession(const QString& folder) { return rulestest::OpenShopSession(folder); }
