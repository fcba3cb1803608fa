// The output card page: whole screen, source, splice, reset and auto adjust, and its
// output window and picture and gamma tabs: what each edit stores, sends and posts.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <chrono>

#include "fixtures/frames.h"
#include "fixtures/output_page_fixture.h"
#include "output/double_picture_page.h"
#include "output/output_picture_page.h"
#include "output/output_window_page.h"
#include "shell/window_messages.h"
#include "widgets/digits_box.h"

using kov::OutputCardRecord;
using kov::test::FindControl;
using kov::test::Frame;
using kov::test::PaddedFrame;
using kov::ui::DigitsBox;
using Frames = std::vector<std::vector<std::uint8_t>>;
using namespace std::chrono_literals;

namespace {

constexpr int kCard = 1;

constexpr int kCard2 = 2;
using kov::test::OutputPage;
using kov::ui::WM_CARD_RESET;
using kov::ui::WM_OUTPUT_LAYOUT_CHANGED;

}  // namespace

class OutputPageTest : public QObject {
    Q_OBJECT

private slots:
    void namesThePageAndItsControls() {
        OutputPage p;
        QVERIFY(p.page.findChild<kov::ui::COPPageOne*>("COPPageOne"));
        QVERIFY(p.page.findChild<kov::ui::COPPageTwo*>("COPPageTwo"));
        for (int id : {1223, 1224, 1035, 1036})
            QVERIFY(FindControl<DigitsBox>(p.page, id));
        QVERIFY(FindControl<QTabWidget>(p.page, 1031));
        for (int id : {1041, 1020, 1021, 1022})
            QVERIFY(FindControl<DigitsBox>(p.page, id));
        for (int id : {1042, 1043})
            QVERIFY(FindControl<QComboBox>(p.page, id));
        QCOMPARE(p.Control<QComboBox>(1043)->itemText(0), QString("Off"));
        QCOMPARE(p.Control<QComboBox>(1043)->itemText(4), QString("2.2"));
        for (int id : {1220, 1020, 1221, 1022, 1023, 1222})
            QVERIFY(p.OwnControl<DigitsBox>(id));
        for (int id : {1132, 1133, 1134})
            QVERIFY(p.OwnControl<QGroupBox>(id));
        for (int id : {1087, 1088})
            QVERIFY(p.OwnControl<QPushButton>(id));
        QCOMPARE(p.OwnControl<QComboBox>(1030)->count(), 9);
        QVERIFY(!p.OwnControl<QComboBox>(1028)->isEnabled());
        QCOMPARE(p.OwnControl<QComboBox>(1028)->count(), 21);
        QVERIFY(p.page.findChild<kov::ui::COPPageThree*>("COPPageThree"));
    }

    void showingACardFillsThePage() {
        OutputPage p;
        p.Edit(kCard2, [](OutputCardRecord& r) {
            r.spliceHLocation = 1920;
            r.outputHparam = 3000;
            r.OutPutinputSrc = 3;
        });
        p.Show(kCard2);
        QCOMPARE(p.page.NumberBox()->text(), QString("Output card:2"));
        QCOMPARE(p.OwnControl<DigitsBox>(1221)->text(), QString("1920"));
        QCOMPARE(p.OwnControl<DigitsBox>(1220)->text(), QString("3000"));
        QCOMPARE(p.OwnControl<QComboBox>(1030)->currentData().toInt(), 3);
        QCOMPARE(p.OwnControl<QComboBox>(1028)->currentData().toInt(), 11);
        QVERIFY(p.program.stateChanged.IsSet());
        QVERIFY(p.program.TakeFrames().empty());
    }

    void spliceBoxesFitTheWholeScreen_data() {
        QTest::addColumn<int>("boxId");
        QTest::addColumn<QList<int>>("before");  // h position, width, v position, height
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("position past the edge")
            << 1221 << QList{1920, 1920, 0, 1080} << 3840 << "2000"
            << "1920" << QList{1920, 1920, 0, 1080};
        QTest::newRow("width cut at the edge")
            << 1022 << QList{1920, 1920, 0, 1080} << 3840 << "3000"
            << "1920" << QList{1920, 1920, 0, 1080};
        QTest::newRow("width below the minimum") << 1022 << QList{0, 1920, 0, 1080} << 3840 << "10"
                                                 << "64" << QList{0, 64, 0, 1080};
        QTest::newRow("whole screen narrower than the minimum")
            << 1022 << QList{0, 50, 0, 1080} << 50 << "10"
            << "50" << QList{0, 50, 0, 1080};
        QTest::newRow("height minimum is 64") << 1222 << QList{0, 1920, 0, 1080} << 3840 << "10"
                                              << "64" << QList{0, 1920, 0, 64};
        QTest::newRow("vertical position inside")
            << 1023 << QList{0, 1920, 0, 1080} << 3840 << "1080"
            << "1080" << QList{0, 1920, 1080, 1080};
    }

    void spliceBoxesFitTheWholeScreen() {
        QFETCH(int, boxId);
        QFETCH(QList<int>, before);
        QFETCH(int, screenWidth);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QList<int>, after);
        OutputPage p;
        p.SetScreen(screenWidth, 2160);
        p.Edit(kCard2, [&](OutputCardRecord& r) {
            r.spliceHLocation = before[0];
            r.spliceHWidth = before[1];
            r.spliceVLocation = before[2];
            r.spliceVHeight = before[3];
        });
        p.Show(kCard2);
        p.spy.messages.clear();
        auto* box = p.OwnControl<DigitsBox>(boxId);
        box->setText(typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(box->text(), shown);
        const OutputCardRecord r = p.Record(kCard2);
        QCOMPARE(
            (QList<int>{r.spliceHLocation, r.spliceHWidth, r.spliceVLocation, r.spliceVHeight}),
            after);
        // The main window sends the splices of every shown card; the page sends nothing.
        QVERIFY(p.program.TakeFrames().empty());
        QVERIFY(p.spy.Saw(WM_OUTPUT_LAYOUT_CHANGED));
    }

    void spliceWithoutACardChangesNothing() {
        OutputPage p;
        auto* box = p.OwnControl<DigitsBox>(1022);
        box->setText("10");
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(p.Record(kCard).spliceHWidth, 1920);
        QVERIFY(!p.spy.Saw(WM_OUTPUT_LAYOUT_CHANGED));
    }

    void wholeScreenRescalesEveryCard_data() {
        QTest::addColumn<int>("boxId");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("card2");  // h position, width, v position, height
        QTest::newRow("width halved") << 1220 << "1920"
                                      << "1920" << QList{960, 960, 1080, 1080};
        QTest::newRow("width below 128") << 1220 << "100"
                                         << "128" << QList{64, 64, 1080, 1080};
        QTest::newRow("height halved") << 1020 << "1080"
                                       << "1080" << QList{1920, 1920, 540, 540};
    }

    void wholeScreenRescalesEveryCard() {
        QFETCH(int, boxId);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QList<int>, card2);
        OutputPage p;
        p.Edit(kCard2, [](OutputCardRecord& r) {
            r.spliceHLocation = 1920;
            r.spliceVLocation = 1080;
        });
        p.Show(kCard2);
        p.spy.messages.clear();
        auto* box = p.OwnControl<DigitsBox>(boxId);
        box->setText(typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(box->text(), shown);
        const bool horizontal = boxId == 1220;
        const int total = shown.toInt();
        {
            auto lock = p.program.records.Lock();
            QCOMPARE(horizontal ? p.program.records.screen.width : p.program.records.screen.height,
                     total);
            for (const auto& r : p.program.records.output.Records())
                QCOMPARE(horizontal ? r.outputHparam : r.outputVparam, total);
        }
        const OutputCardRecord r = p.Record(kCard2);
        QCOMPARE(
            (QList<int>{r.spliceHLocation, r.spliceHWidth, r.spliceVLocation, r.spliceVHeight}),
            card2);
        // The boxes show the card's rescaled splice.
        QCOMPARE(p.OwnControl<DigitsBox>(1022)->text(), QString::number(card2[1]));
        QCOMPARE(p.OwnControl<DigitsBox>(1222)->text(), QString::number(card2[3]));
        QVERIFY(p.program.TakeFrames().empty());
        QVERIFY(p.spy.Saw(WM_OUTPUT_LAYOUT_CHANGED));
    }

    void sourceGoesToPictureOne() {
        OutputPage p;
        auto* source = p.OwnControl<QComboBox>(1030);
        source->setCurrentIndex(2);  // no card yet: nothing
        QVERIFY(p.program.TakeFrames().empty());
        p.Show(kCard2);
        source->setCurrentIndex(1);
        const int code = source->currentData().toInt();
        QCOMPARE(p.program.TakeFrames(), Frames{PaddedFrame({kCard2, 0x11, 0x00, code})});
        QCOMPARE(p.Record(kCard2).OutPutinputSrc, code);
    }

    void resetCard_data() {
        QTest::addColumn<bool>("withCard");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("withResolution");
        QTest::newRow("confirmed") << true << int(QDialog::Accepted) << true;
        QTest::newRow("cancelled") << true << int(QDialog::Rejected) << true;
        QTest::newRow("no card") << false << int(QDialog::Accepted) << true;
        QTest::newRow("no resolution selected") << true << int(QDialog::Accepted) << false;
    }

    void resetCard() {
        QFETCH(bool, withCard);
        QFETCH(int, answer);
        QFETCH(bool, withResolution);
        OutputPage p;
        p.Edit(kCard2, [&](OutputCardRecord& r) {
            r.OutPutinputSrc = 3;
            r.spliceHLocation = 1920;
            r.outputFrameGamma = 4;
            r.outputHLocation = 10;
            r.isOn = 1;
            if (!withResolution)
                r.outputReso.code = 99;  // not in the table, as from a damaged file
        });
        if (withCard)
            p.Show(kCard2);
        p.Control<DigitsBox>(1041)->setText("80");  // brightness 80 on the picture tab
        p.Idle();
        const OutputCardRecord before = p.Record(kCard2);
        p.program.TakeFrames();
        p.spy.messages.clear();
        p.program.dialogs.dialogAnswers = {answer};
        p.OwnControl<QPushButton>(1087)->click();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(p.program.dialogs.modalDialogs, QStringList{"kov::ui::CCardDefaultDlg"});
        const Frames frames = p.program.TakeFrames();
        const OutputCardRecord after = p.Record(kCard2);
        if (!withCard || answer != QDialog::Accepted) {
            QVERIFY(frames.empty());
            QCOMPARE(after, before);
            return;
        }
        // The picture tab back to its initial values, then reset, then the resolution.
        Frames expected = {Frame({kCard2, 0x03, 0x00, 0x00, 50, 0x55, 0x55, 0x55, 0x55, 0x55}),
                           PaddedFrame({kCard2, 0x13})};
        if (withResolution)
            expected.push_back(PaddedFrame({kCard2, 0x02, 11}));
        QCOMPARE(frames, expected);
        QCOMPARE(after.OutPutinputSrc, 13);
        QCOMPARE(after.spliceHLocation, 0);
        QCOMPARE(after.outputFrameGamma, std::uint8_t(0));
        QCOMPARE(after.outputFrameLight, 50);
        // What the reset does not cover stays.
        QCOMPARE(after.outputHLocation, 10);
        QCOMPARE(after.isOn, std::uint8_t(1));
        QCOMPARE(int(after.outputReso.code), withResolution ? 11 : 99);
        QCOMPARE(p.OwnControl<DigitsBox>(1221)->text(), QString("0"));
        QCOMPARE(p.OwnControl<QComboBox>(1030)->currentData().toInt(), 13);
        QVERIFY(p.spy.Saw(WM_CARD_RESET));
    }

    void autoAdjustAsksFirst() {
        OutputPage p;
        p.Show(kCard2);
        p.program.TakeFrames();
        p.program.dialogs.dialogAnswers = {QDialog::Rejected, QDialog::Accepted};
        p.OwnControl<QPushButton>(1088)->click();
        QVERIFY(p.program.TakeFrames().empty());
        p.OwnControl<QPushButton>(1088)->click();
        QCOMPARE(p.program.TakeFrames(), Frames{PaddedFrame({kCard2, 0x12})});
    }

    void withoutOutputCardsThePageStaysEmpty() {
        kov::test::TestProgram program;
        program.records.output.Release();
        kov::ui::CPageDlg page(program.Context());
        program.TakeFrames();
        for (int id : {1221, 1222, 1223, 1045, 1227})
            QVERIFY(FindControl<DigitsBox>(page, id)->text().isEmpty());
        auto* box = FindControl<DigitsBox>(page, 1221);
        box->setText("10");
        QTest::keyClick(box, Qt::Key_Return);
        FindControl<QCheckBox>(page, 1043)->click();
        page.RefreshAll(0);
        QVERIFY(program.TakeFrames().empty());
        QCOMPARE(FindControl<DigitsBox>(page, 1220)->text(), QString("3840"));
    }

    void outputWindowBoxesFitTheResolution_data() {
        QTest::addColumn<int>("boxId");
        QTest::addColumn<QList<int>>("before");  // h position, width, v position, height
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("sent");  // bytes 4 to 11
        QTest::newRow("position past the edge") << 1223 << QList{0, 1920, 0, 1080} << "100"
                                                << "0" << QList{0, 0, 0, 0, 7, 128, 4, 56};
        QTest::newRow("width below minimum") << 1224 << QList{0, 1920, 0, 1080} << "10"
                                             << "64" << QList{0, 0, 0, 0, 0, 64, 4, 56};
        QTest::newRow("height below minimum") << 1036 << QList{0, 1920, 0, 1080} << "10"
                                              << "48" << QList{0, 0, 0, 0, 7, 128, 0, 48};
        QTest::newRow("minimum reaches past the frame")
            << 1036 << QList{0, 1920, 1060, 20} << "30"
            << "48" << QList{0, 0, 4, 36, 7, 128, 0, 48};
        QTest::newRow("byte order")
            << 1035 << QList{100, 800, 0, 600} << "50"
            << "50" << QList{0x00, 0x64, 0x00, 0x32, 0x03, 0x20, 0x02, 0x58};
    }

    void outputWindowBoxesFitTheResolution() {
        QFETCH(int, boxId);
        QFETCH(QList<int>, before);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QList<int>, sent);
        OutputPage p;
        p.program.records.EditOutput(kCard, [&](OutputCardRecord& r) {
            r.outputHLocation = before[0];
            r.outputHWidth = before[1];
            r.outputVLocation = before[2];
            r.outputVHeight = before[3];
        });
        p.Show(kCard);
        p.program.TakeFrames();
        auto* box = p.Control<DigitsBox>(boxId);
        box->setText(typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), shown);
        QCOMPARE(p.program.TakeFrames(),
                 Frames{Frame({kCard, 0x04, sent[0], sent[1], sent[2], sent[3], sent[4], sent[5],
                               sent[6], sent[7]})});
    }

    void outputWindowWithoutACardSendsNothing() {
        OutputPage p;
        auto* box = p.Control<DigitsBox>(1224);
        box->setText("10");
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(p.program.TakeFrames().empty());
    }

    void valuesGammaAndColourTemperatureGoToTheCard() {
        OutputPage p;
        p.Show(kCard);
        p.Control<DigitsBox>(1041)->setText("70");
        p.program.clock.now += 20ms;
        p.Control<QComboBox>(1043)->setCurrentIndex(4);
        p.Control<QComboBox>(1042)->setCurrentIndex(1);
        const Frames expected = {
            Frame({kCard, 0x03, 0x00, 0x00, 70, 0x55, 0x55, 0x55, 0x55, 0x55}),
            Frame({kCard, 0x03, 0x0B, 0x55, 0x04, 0x55, 0x55, 0x55, 0x55, 0x55}),
            Frame({kCard, 0x03, 0x08, 0x00, 1, 0, 0, 0, 0x55, 0x55})};
        QCOMPARE(p.program.TakeFrames(), expected);
        const OutputCardRecord r = p.Record(kCard);
        QCOMPARE(r.outputFrameLight, 70);
        QCOMPARE(r.outputFrameGamma, std::uint8_t(4));
        QCOMPARE(r.outputFrameColorTemperation, std::uint8_t(1));
        QVERIFY(r.colorTemperatureText.empty());
    }

    void resetSendsValuesThenColourTemperatureThenGamma() {
        OutputPage p;
        p.Show(kCard);
        p.Control<DigitsBox>(1022)->setText("20");
        p.Control<QComboBox>(1043)->setCurrentIndex(6);
        p.program.clock.now += 20ms;
        p.program.TakeFrames();
        p.Control<QPushButton>(1069)->click();
        const Frames expected = {Frame({kCard, 0x03, 0x03, 0x00, 12, 0x55, 0x55, 0x55, 0x55, 0x55}),
                                 Frame({kCard, 0x03, 0x08, 0x00, 0, 0, 0, 0, 0x55, 0x55}),
                                 Frame({kCard, 0x03, 0x0B, 0x55, 0, 0x55, 0x55, 0x55, 0x55, 0x55})};
        QCOMPARE(p.program.TakeFrames(), expected);
        QCOMPARE(p.Control<QComboBox>(1043)->currentIndex(), 0);
        QCOMPARE(p.Record(kCard).outputFrameGamma, std::uint8_t(0));
        QCOMPARE(p.Record(kCard).outputFrameDefinition, 12);
    }

    void resetWithoutACardSendsNothing() {
        OutputPage p;
        p.Control<DigitsBox>(1041)->setText("70");
        p.Control<QPushButton>(1069)->click();
        QVERIFY(p.program.TakeFrames().empty());
        QCOMPARE(p.Control<DigitsBox>(1041)->text(), QString("50"));
    }
};

QTEST_MAIN(OutputPageTest)
#include "output_page_test.moc"
