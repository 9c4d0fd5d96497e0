// The real message boxes: the question's default button is the one Enter presses.
#include "platform/qtservices.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(MessageBoxes, EnterPressesTheQuestionsDefaultButton)
{
    const struct {
        const char* what;
        ui::Answer defaultAnswer;
        bool answer;  // what Enter answers
    } cases[] = {
        {"an ordinary question", ui::Answer::Yes, true},
        {"a question whose yes destroys data", ui::Answer::No, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bool pressed = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Return);
            pressed = true;
        });
        const bool answer = ui::realPlatform().msg->show(
            {QStringLiteral("继续吗？"), ui::kTitleTip, ui::Icon::Question, ui::Buttons::YesNo, c.defaultAnswer});
        EXPECT_TRUE(pressed);
        EXPECT_EQ(answer, c.answer);
    }
}
