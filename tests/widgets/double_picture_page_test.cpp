// The double picture tab of the output card page: its two switches and what they enable,
// the second picture's source, window and transparency, and its own splice.

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "fixtures/frames.h"
#include "fixtures/output_page_fixture.h"
#include "output/double_picture_page.h"
#include "widgets/digits_box.h"

using kov::OutputCardRecord;
using kov::test::Frame;
using kov::test::OutputPage;
using kov::test::PaddedFrame;
using kov::ui::DigitsBox;
using Frames = std::vector<std::vector<std::uint8_t>>;

namespace {

constexpr int kCard = 2;

struct DoublePicture : OutputPage {
    QCheckBox* Picture2Switch() { return Control<QCheckBox>(1043); }
    QCheckBox* SpliceSwitch() { return Control<QCheckBox>(1048); }
    QComboBox* Transparency() { return Control<QComboBox>(1047); }

    void Type(int boxId, const QString& text) {
        auto* box = Control<DigitsBox>(boxId);
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
    }
};

}  // namespace

class DoublePicturePageTest : public QObject {
    Q_OBJECT

private slots:
    void switchesFollowTheRecordAndEnableTheirGroups() {
        DoublePicture p;
        p.Edit(kCard, [](OutputCardRecord& r) {
            r.isOn = 0;
            r.isSpliceDouble = 1;
        });
        p.Show(kCard);
        // The two groups follow their own switches: splice boxes usable, picture 2 not.
        QVERIFY(!p.Picture2Switch()->isChecked());
        QVERIFY(p.Picture2Switch()->isEnabled());
        QVERIFY(p.SpliceSwitch()->isChecked());
        QVERIFY(!p.SpliceSwitch()->isEnabled());
        QVERIFY(!p.Control<DigitsBox>(1045)->isEnabled());
        QVERIFY(p.Control<DigitsBox>(1227)->isEnabled());
        QVERIFY(p.Control<DigitsBox>(1231)->isEnabled());
        QVERIFY(p.program.TakeFrames().empty());
    }

    void turningPicture2OffTurnsItsSpliceOffFirst() {
        DoublePicture p;
        p.Edit(kCard, [](OutputCardRecord& r) {
            r.isOn = 1;
            r.isSpliceDouble = 1;
            r.doublePictranspy = 2;
        });
        p.Show(kCard);
        p.program.TakeFrames();
        p.Picture2Switch()->click();
        QCOMPARE(p.program.TakeFrames(), (Frames{PaddedFrame({kCard, 0x1E, 0x00}),
                                                 PaddedFrame({kCard, 0x06, 0x00, 2, 0})}));
        QVERIFY(!p.SpliceSwitch()->isChecked());
        QVERIFY(!p.SpliceSwitch()->isEnabled());
        QVERIFY(!p.Control<DigitsBox>(1229)->isEnabled());
        const OutputCardRecord r = p.Record(kCard);
        QCOMPARE(r.isOn, std::uint8_t(0));
        QCOMPARE(r.isSpliceDouble, std::uint8_t(0));
    }

    void transparencyWhileOffWaitsForTheSwitch() {
        DoublePicture p;
        p.Show(kCard);
        p.program.TakeFrames();
        p.Transparency()->setCurrentIndex(3);
        QVERIFY(p.program.TakeFrames().empty());
        QCOMPARE(p.Record(kCard).doublePictranspy, std::uint16_t(3));
        p.Picture2Switch()->click();
        QCOMPARE(p.program.TakeFrames(), Frames{PaddedFrame({kCard, 0x06, 0x01, 3, 0})});
        p.Transparency()->setCurrentIndex(1);
        QCOMPARE(p.program.TakeFrames(), Frames{PaddedFrame({kCard, 0x06, 0x01, 1, 0})});
    }

    void spliceSwitchAndSourceGoToTheCard() {
        DoublePicture p;
        p.Show(kCard);
        p.Picture2Switch()->click();
        p.program.TakeFrames();
        p.SpliceSwitch()->click();
        auto* source = p.Control<QComboBox>(1044);
        source->setCurrentIndex(2);
        const int code = source->currentData().toInt();
        QCOMPARE(p.program.TakeFrames(), (Frames{PaddedFrame({kCard, 0x1E, 0x01}),
                                                 PaddedFrame({kCard, 0x11, 0x01, code})}));
        QCOMPARE(p.Record(kCard).DoublePicinputSrc, code);
        QVERIFY(p.Control<DigitsBox>(1230)->isEnabled());
    }

    void boxesFitAndSend_data() {
        QTest::addColumn<int>("boxId");
        QTest::addColumn<int>("total");  // horizontal and vertical splice total
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("sent");  // bytes 2 to 11
        // Window: positions and sizes in the card's 1920 x 1080 output, sent H, V, W, H.
        QTest::newRow("window height below 48")
            << 1226 << 1920 << "10"
            << "48" << QList{kCard, 0x05, 0, 0, 0, 0, 0x03, 0xC0, 0, 48};
        QTest::newRow("window position past the edge")
            << 1045 << 1920 << "1500"
            << "960" << QList{kCard, 0x05, 0x03, 0xC0, 0, 0, 0x03, 0xC0, 0x02, 0x1C};
        // Splice: sizes at least 64, or the total when that is smaller.
        QTest::newRow("splice width below 64")
            << 1230 << 1920 << "10"
            << "64" << QList{kCard, 0x1C, 0x07, 0x80, 0, 0, 0, 64, 0x55, 0x55};
        QTest::newRow("splice width on a 50 point total")
            << 1230 << 50 << "10"
            << "50" << QList{kCard, 0x1C, 0, 50, 0, 0, 0, 50, 0x55, 0x55};
        QTest::newRow("splice height below 64")
            << 1231 << 1080 << "10"
            << "64" << QList{kCard, 0x1D, 0x04, 0x38, 0, 0, 0, 64, 0x55, 0x55};
        // Total: at least 128, and a width box past the new total is cut to it.
        QTest::newRow("total below 128")
            << 1227 << 1920 << "100"
            << "128" << QList{kCard, 0x1C, 0, 128, 0, 0, 0, 128, 0x55, 0x55};
        QTest::newRow("vertical total keeps a fitting height")
            << 1228 << 1080 << "2160"
            << "2160" << QList{kCard, 0x1D, 0x08, 0x70, 0, 0, 0x04, 0x38, 0x55, 0x55};
    }

    void boxesFitAndSend() {
        QFETCH(int, boxId);
        QFETCH(int, total);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QList<int>, sent);
        DoublePicture p;
        p.Edit(kCard, [total](OutputCardRecord& r) {
            r.isOn = 1;  // both groups usable
            r.isSpliceDouble = 1;
            r.doubleSpliceHparam = total;
            r.doubleSpliceVparam = total == 1920 ? 1080 : total;
            r.doubleSpliceHWidth = std::min(total, 1920);
            r.doubleSpliceVHeight = std::min(total, 1080);
        });
        p.Show(kCard);
        p.program.TakeFrames();
        p.Type(boxId, typed);
        QCOMPARE(p.Control<DigitsBox>(boxId)->text(), shown);
        QCOMPARE(p.program.TakeFrames(), Frames{Frame(std::vector<int>(sent.begin(), sent.end()))});
    }

    void totalCutsTheWidthBox() {
        DoublePicture p;
        p.Edit(kCard, [](OutputCardRecord& r) {
            r.isOn = 1;
            r.isSpliceDouble = 1;
        });
        p.Show(kCard);
        p.Type(1227, "100");
        QCOMPARE(p.Control<DigitsBox>(1230)->text(), QString("128"));
        const OutputCardRecord r = p.Record(kCard);
        QCOMPARE(r.doubleSpliceHparam, 128);
        QCOMPARE(r.doubleSpliceHWidth, 128);
    }

    void resetLeavesThePicture2SwitchUsable() {
        DoublePicture p;
        p.Edit(kCard, [](OutputCardRecord& r) {
            r.isOn = 1;
            r.isSpliceDouble = 1;
        });
        p.Show(kCard);
        QVERIFY(p.Picture2Switch()->isChecked());
        p.OwnControl<QPushButton>(1087)->click();
        QVERIFY(!p.Picture2Switch()->isChecked());
        QVERIFY(p.Picture2Switch()->isEnabled());
        QVERIFY(!p.SpliceSwitch()->isChecked());
        QVERIFY(!p.SpliceSwitch()->isEnabled());
        QVERIFY(!p.Control<DigitsBox>(1227)->isEnabled());
        // The view is reset; the record and the device keep the second picture.
        QCOMPARE(p.Record(kCard).isOn, std::uint8_t(1));
        p.Picture2Switch()->click();
        QVERIFY(p.Control<DigitsBox>(1045)->isEnabled());
    }

    void aResolutionChangeKeepsTheShownCardsWindow() {
        DoublePicture p;
        p.Edit(kCard, [](OutputCardRecord& r) { r.doublePicHWidth = 500; });
        p.Show(kCard);
        p.Show(0);
        QCOMPARE(p.Control<DigitsBox>(1046)->text(), QString("500"));
    }

    void withoutACardSwitchesStoreAndSendNothing() {
        DoublePicture p;
        const OutputCardRecord before = p.Record(1);
        p.Picture2Switch()->click();
        QVERIFY(p.Control<DigitsBox>(1045)->isEnabled());
        p.SpliceSwitch()->click();
        p.Type(1230, "10");
        p.Transparency()->setCurrentIndex(2);
        QVERIFY(p.program.TakeFrames().empty());
        QCOMPARE(p.Record(1), before);
    }
};

QTEST_MAIN(DoublePicturePageTest)
#include "double_picture_page_test.moc"
