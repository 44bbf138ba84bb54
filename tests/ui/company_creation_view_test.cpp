// The wiring of the zelcrea window: names, labels, focus and keys, against the fake platform.
#include "company/company_creation.h"
#include "support/test_session.h"
#include "ui/company_creation_view.h"
#include "user_script.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kalvora;
using company::CompanyCreationForm;
using company::CreationMode;

namespace {

struct Fixture {
    explicit Fixture(CreationMode mode = CreationMode::First) : form(test.session, mode) {
        test.drive.makeInstallation();
        form.open();
        view = std::make_unique<ui::CompanyCreationView>(form);
        view->show();
        view->activateWindow();
    }
    QLineEdit* field(int i) const { return view->findChild<QLineEdit*>(QStringLiteral("text_%1").arg(i)); }
    template <typename T> T* child(const char* name) const { return view->findChild<T*>(QLatin1String(name)); }

    kalvora::testing::TestSession test{core::Date{2026, 3, 15}};
    CompanyCreationForm form;
    std::unique_ptr<ui::CompanyCreationView> view;
};

}  // namespace

class CompanyCreationViewTest : public QObject {
    Q_OBJECT

private slots:
    void controlsCarryTheirNamesAndLabels();
    void tabOrderRunsThroughFieldsListsAndButtons();
    void enterMovesToTheNextField();
    void leavingInModeZeroKeepsTheWindowOpen();
    void listsCallTheForm();
    void typedTextReachesTheFormOnOneLine();
    void confirmCreatesTheCompanyAndCloses();
};

void CompanyCreationViewTest::controlsCarryTheirNamesAndLabels() {
    Fixture f;
    QCOMPARE(f.view->objectName(), QStringLiteral("zelcrea"));
    QCOMPARE(f.view->windowTitle(), QStringLiteral("Creazione azienda"));
    const auto groups = f.view->findChildren<QGroupBox*>();
    QCOMPARE(groups.size(), 1);
    QGroupBox* group = groups.front();
    QCOMPARE(group->title(), QStringLiteral("Intestazione azienda"));

    const QStringList expected = {
        "Denominazione azienda", "Sede legale Indirizzo", "Sede legale Città",
        "Sede amministrativa Indirizzo", "Sede amministrativa Città", "Telefono", "Fax",
        "Indirizzo e-mail", "Codice fiscale", "Partita iva", "CCIAA", "Tribunale",
        "Note 1", "Note 2", "Note 3", "Note 4"};
    for (int i = 0; i < CompanyCreationForm::fieldCount; ++i) {
        QVERIFY2(f.field(i), qPrintable(QStringLiteral("text_%1").arg(i)));
        QCOMPARE(f.field(i)->accessibleName(), expected[i]);
    }

    // Section captions once each, above their fields; field labels are buddies of their fields.
    QStringList texts;
    for (QLabel* l : group->findChildren<QLabel*>()) texts << l->text();
    QCOMPARE(texts.count("Sede legale"), 1);
    QCOMPARE(texts.count("Sede amministrativa"), 1);
    QCOMPARE(texts.count("Note"), 1);
    QCOMPARE(texts.count("Indirizzo"), 2);
    for (QLabel* l : group->findChildren<QLabel*>())
        if (l->text() == "Tribunale") QCOMPARE(l->buddy(), f.field(11));

    QCOMPARE(f.child<QComboBox>("anno")->accessibleName(), QStringLiteral("Anno di gestione"));
    QCOMPARE(f.child<QComboBox>("azprec")->accessibleName(),
             QStringLiteral("Azienda anno precedente (se disponibile)"));
    QCOMPARE(f.child<QToolButton>("bottone_0")->accessibleName(), QStringLiteral("Annulla"));
    QCOMPARE(f.child<QToolButton>("bottone_0")->toolTip(), QStringLiteral("Annulla"));
    QCOMPARE(f.child<QToolButton>("bottone_1")->accessibleName(), QStringLiteral("Conferma"));
    QCOMPARE(f.child<QToolButton>("bottone_1")->toolTip(), QStringLiteral("Conferma"));
    QVERIFY(!f.child<QToolButton>("bottone_1")->icon().isNull());
}

void CompanyCreationViewTest::tabOrderRunsThroughFieldsListsAndButtons() {
    Fixture f;
    QStringList order;
    QWidget* w = f.field(0);
    do {
        if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != f.field(0) && order.size() < 40);
    QStringList expected;
    for (int i = 0; i < CompanyCreationForm::fieldCount; ++i) expected << QStringLiteral("text_%1").arg(i);
    expected << "anno" << "azprec" << "bottone_1" << "bottone_0";
    QCOMPARE(order, expected);
}

void CompanyCreationViewTest::enterMovesToTheNextField() {
    Fixture f;
    QCOMPARE(f.view->focusWidget(), f.field(0));
    QTest::keyClick(f.field(3), Qt::Key_Return);
    QCOMPARE(f.form.focusedField(), 4);
    QCOMPARE(f.view->focusWidget(), f.field(4));
}

void CompanyCreationViewTest::leavingInModeZeroKeepsTheWindowOpen() {
    Fixture f;
    QTest::mouseClick(f.child<QToolButton>("bottone_0"), Qt::LeftButton);
    QTest::keyClick(f.view.get(), Qt::Key_Escape);
    f.view->close();

    const auto messages = f.test.platform.messages();
    QCOMPARE(messages.size(), std::size_t(3));
    for (const auto& m : messages) {
        QCOMPARE(QString::fromStdString(m.text), QStringLiteral("E' obbligatorio creare l'azienda"));
        QCOMPARE(QString::fromStdString(m.title), QStringLiteral("Attenzione"));
        QVERIFY(m.icon == core::Icon::Critical);
    }
    QVERIFY(f.view->isVisible());
    QVERIFY(!f.form.closed());
    QVERIFY(!f.test.drive.exists("kalwin/kalwin/kalvora.azi"));
}

void CompanyCreationViewTest::listsCallTheForm() {
    Fixture f;
    auto* year = f.child<QComboBox>("anno");
    QCOMPARE(year->count(), 101);
    QCOMPARE(year->itemText(0), QStringLiteral("2000"));
    QCOMPARE(year->currentIndex(), f.form.yearIndex());
    year->setFocus();
    QTest::keyClick(year, Qt::Key_Down);
    QCOMPARE(f.form.yearIndex(), 27);
    QCOMPARE(year->currentText(), QStringLiteral("2027"));

    auto* previous = f.child<QComboBox>("azprec");
    QCOMPARE(previous->count(), static_cast<int>(f.form.previousYearEntries().size()));
    QCOMPARE(previous->itemText(0), QString::fromUtf8(CompanyCreationForm::noLinkedCompany));
    QCOMPARE(previous->currentIndex(), f.form.previousYearIndex());
}

void CompanyCreationViewTest::typedTextReachesTheFormOnOneLine() {
    Fixture f;
    kalvora::testing::typeText(f.field(2), QStringLiteral("Città"));
    QCOMPARE(QString::fromStdString(f.form.field(2)), QStringLiteral("Città"));

    // A pasted line break would split the company header file.
    QGuiApplication::clipboard()->setText(QStringLiteral("Via Roma 1\nsecondo piano"));
    f.field(1)->setFocus();
    QTest::keySequence(f.field(1), QKeySequence::Paste);
    const QString stored = QString::fromStdString(f.form.field(1));
    QVERIFY2(stored.startsWith("Via Roma 1"), qPrintable(stored));
    QVERIFY(!stored.contains('\n') && !stored.contains('\r'));
}

void CompanyCreationViewTest::confirmCreatesTheCompanyAndCloses() {
    Fixture f;
    QTest::keyClicks(f.field(0), QStringLiteral("Rossi Srl"));
    QTest::mouseClick(f.child<QToolButton>("bottone_1"), Qt::LeftButton);
    QVERIFY(f.form.closed());
    QVERIFY(!f.view->isVisible());
    QCOMPARE(f.view->result(), int(QDialog::Accepted));
    QVERIFY(f.test.drive.read("kalwin/kalwin/kalvora.azi").rfind("Rossi Srl ", 0) == 0);
    QVERIFY(f.test.platform.messages().empty());
}

QTEST_MAIN(CompanyCreationViewTest)
#include "company_creation_view_test.moc"
