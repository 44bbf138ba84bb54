// The wiring of the zelcrea window: its controls found by name, typing and keys reach the form,
// the buttons act, the result shows on disk.
#include "company/company_creation.h"
#include "support/test_session.h"
#include "ui/company_creation_view.h"
#include "user_script.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using namespace kalvora;
using company::CompanyCreationForm;

class CompanyCreationViewTest : public QObject {
    Q_OBJECT

private slots:
    void wiring();
};

void CompanyCreationViewTest::wiring() {
    kalvora::testing::TestSession test{core::Date{2026, 3, 15}};
    test.drive.makeInstallation();
    CompanyCreationForm form(test.session, company::CreationMode::First);
    form.open();
    ui::CompanyCreationView view(form);
    view.show();
    view.activateWindow();
    QCOMPARE(view.objectName(), QStringLiteral("zelcrea"));
    auto field = [&](int i) { return view.findChild<QLineEdit*>(QStringLiteral("text_%1").arg(i)); };
    for (int i = 0; i < CompanyCreationForm::fieldCount; ++i) QVERIFY(field(i));
    QVERIFY(view.findChild<QComboBox*>("anno") && view.findChild<QComboBox*>("azprec"));
    QTest::keyClick(field(3), Qt::Key_Return);
    QCOMPARE(view.focusWidget(), field(4));
    kalvora::testing::typeText(field(2), QStringLiteral("Città"));
    QCOMPARE(QString::fromStdString(form.field(2)), QStringLiteral("Città"));

    // Mode 0 cannot be left; confirming creates the company and closes.
    QTest::mouseClick(view.findChild<QToolButton*>("bottone_0"), Qt::LeftButton);
    view.close();
    QCOMPARE(test.platform.messages().size(), std::size_t(2));  // "E' obbligatorio creare l'azienda"
    QVERIFY(view.isVisible());
    QTest::keyClicks(field(0), QStringLiteral("Rossi Srl"));
    QTest::mouseClick(view.findChild<QToolButton*>("bottone_1"), Qt::LeftButton);
    QVERIFY(!view.isVisible());
    QVERIFY(test.drive.read("kalwin/kalwin/kalvora.azi").starts_with("Rossi Srl "));
}

QTEST_MAIN(CompanyCreationViewTest)
#include "company_creation_view_test.moc"
