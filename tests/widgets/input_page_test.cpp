// The input card page and its three tabs: what each edit stores and sends.

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <chrono>

#include "fixtures/frames.h"
#include "fixtures/page_fixture.h"
#include "input/base_map_page.h"
#include "input/input_page.h"
#include "input/input_picture_page.h"
#include "input/picture_word_page.h"
#include "link/latest_frames.h"
#include "shell/window_messages.h"
#include "store/tables.h"
#include "widgets/digits_box.h"
#include "widgets/relabel.h"

using kov::InputCardRecord;
using kov::test::FindControl;
using kov::test::Frame;
using kov::ui::DigitsBox;
using Frames = std::vector<std::vector<std::uint8_t>>;
using namespace std::chrono_literals;

namespace {

constexpr int kCard1 = 0x81;  // input card 1, slot 5
constexpr int kCard2 = 0x82;

// Bytes 2 to 11 of a window frame (0x05 capture, 0x04 base map).
std::vector<std::uint8_t> WindowFrame(int card, int command, int h, int v, int width, int height) {
    return Frame({card, command, h >> 8, h & 0xFF, v >> 8, v & 0xFF, width >> 8, width & 0xFF,
                  height >> 8, height & 0xFF});
}

std::vector<std::uint8_t> PictureFrame(int card, int item, int value) {
    return Frame({card, 0x03, item, 0x01, value, 0x55, 0x55, 0x55, 0x55, 0x55});
}

// The page on a program whose line is idle again before every key.
struct InputPage : kov::test::PageOnProgram<kov::ui::CInPutPage> {
    void Show(int card) { Deliver(kov::ui::WM_INPUT_CARD_SHOW, card); }

    InputCardRecord Record(int card) { return *program.records.InputCopy(card); }

    void Edit(int card, const std::function<void(InputCardRecord&)>& change) {
        program.records.EditInput(card, change);
    }

    void SetResolution(int card, int code) {
        Edit(card, [code](InputCardRecord& r) { r.inputResolution = *kov::FindResolution(code); });
    }

    // Types text key by key, each key once the previous frame has left the line.
    void Type(QWidget* box, const QString& text) {
        for (const QChar c : text) {
            QTest::keyClick(box, c.toLatin1());
            program.clock.now += 20ms;
        }
    }

    void Idle() { program.clock.now += 20ms; }

    // Lets every frame still waiting for the line go out.
    Frames Drain() {
        kov::FlushLatest(program.link);
        return program.TakeFrames();
    }
};

}  // namespace

class InputPageTest : public QObject {
    Q_OBJECT

private slots:
    void namesEveryPageAndControl() {
        InputPage p;
        QCOMPARE(p.page.objectName(), QString("CInPutPage"));
        QVERIFY(p.page.findChild<kov::ui::CIPPageOne*>("CIPPageOne"));
        QVERIFY(p.page.findChild<kov::ui::CIPPageTwo*>("CIPPageTwo"));
        QVERIFY(p.page.findChild<kov::ui::CIPPageThree*>("CIPPageThree"));
        for (int id : {1056, 1059, 1060, 1061, 1025, 1063, 1064, 1065, 1066, 1083, 1084, 1085, 1071,
                       1072, 1073, 1074}) {
            QVERIFY2(FindControl<QLineEdit>(p.page, id), qPrintable(QString::number(id)));
        }
        for (int id : {1057, 1055, 1090, 1067, 1070})
            QVERIFY2(FindControl<QComboBox>(p.page, id), qPrintable(QString::number(id)));
        for (int id : {1091, 1092, 1093, 1094, 1095, 1096, 1097})
            QVERIFY2(FindControl<QSlider>(p.page, id), qPrintable(QString::number(id)));
        for (int id : {1075, 1076, 1218, 1219, 1079, 1080, 1081, 1082})
            QVERIFY2(FindControl<QRadioButton>(p.page, id), qPrintable(QString::number(id)));
        for (int id : {1086, 1026, 1068})
            QVERIFY2(FindControl<QPushButton>(p.page, id), qPrintable(QString::number(id)));
        QVERIFY(FindControl<QTabWidget>(p.page, 1062));
        QVERIFY(!p.Control<QComboBox>(1055)->isEnabled());
    }

    void withoutACardNothingIsStoredOrSent() {
        InputPage p;
        const InputCardRecord before = p.Record(kCard1);
        p.Control<DigitsBox>(1059)->setText("10");
        QTest::keyClick(p.Control<DigitsBox>(1059), Qt::Key_Return);
        p.Control<QComboBox>(1057)->setCurrentIndex(3);
        p.Control<DigitsBox>(1063)->setText("70");
        p.Control<QRadioButton>(1076)->click();
        p.Control<QComboBox>(1070)->setCurrentIndex(3);
        p.Control<QPushButton>(1086)->click();
        QVERIFY(p.program.TakeFrames().empty());
        QCOMPARE(p.Record(kCard1), before);
        QVERIFY(p.page.NumberBox()->text().isEmpty());
    }

    void showingACardFillsThePage() {
        InputPage p;
        p.Edit(kCard2, [](InputCardRecord& r) {
            r.inputSrc = 8;
            r.inputtranspy = 2;
            r.inputHLocation = 11;
            r.inputHWidth = 900;
            r.inputFrameLight = 70;
            r.picWordOnoff = 1;
            r.picWordRed = 9;
            r.baseMapinputSrc = 10;
        });
        p.Show(kCard2);
        QCOMPARE(p.page.CurrentCardId(), kCard2);
        QCOMPARE(p.page.NumberBox()->text(), QString("Input card:2"));
        QCOMPARE(p.Control<DigitsBox>(1059)->text(), QString("11"));
        QCOMPARE(p.Control<DigitsBox>(1060)->text(), QString("900"));
        QCOMPARE(p.Control<QComboBox>(1057)->currentData().toInt(), 8);
        QCOMPARE(p.Control<QComboBox>(1090)->currentData().toInt(), 2);
        QCOMPARE(p.Control<QComboBox>(1055)->currentData().toInt(), 11);
        QCOMPARE(p.Control<DigitsBox>(1063)->text(), QString("70"));
        QVERIFY(p.Control<QRadioButton>(1076)->isChecked());
        QCOMPARE(p.Control<DigitsBox>(1083)->text(), QString("9"));
        QCOMPARE(p.Control<QComboBox>(1070)->currentData().toInt(), 10);
        // Values that differ from those shown before go to the card: brightness, and the
        // picture word (it is on) with its red value.
        const Frames frames = p.Drain();
        QCOMPARE(frames.size(), std::size_t(2));
        QCOMPARE(frames[0], PictureFrame(kCard2, 0x00, 70));
        QCOMPARE(frames[1], Frame({kCard2, 0x15, 1, 0, 0, 0, 9, 0, 0, 0x55}));
        QVERIFY(p.program.stateChanged.WaitFor(0ms));
    }

    void windowBoxesFitTheFrame_data() {
        QTest::addColumn<int>("boxId");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("after");  // h position, v position, width, height
        // Capture window on a 1024x768 card.
        QTest::newRow("position past the edge")
            << 1059 << 0x05 << 1 << QList{0, 0, 1024, 768} << "2000"
            << "0" << QList{0, 0, 1024, 768};
        QTest::newRow("width below minimum") << 1060 << 0x05 << 1 << QList{0, 0, 1024, 768} << "10"
                                             << "64" << QList{0, 0, 64, 768};
        QTest::newRow("height below minimum") << 1025 << 0x05 << 1 << QList{0, 0, 1024, 768} << "10"
                                              << "48" << QList{0, 0, 1024, 48};
        QTest::newRow("minimum reaches past the frame")
            << 1060 << 0x05 << 1 << QList{1000, 0, 24, 768} << "10"
            << "64" << QList{1000, 0, 64, 768};
        QTest::newRow("emptied height") << 1025 << 0x05 << 1 << QList{0, 0, 1024, 768} << ""
                                        << "48" << QList{0, 0, 1024, 48};
        QTest::newRow("vertical position fits")
            << 1061 << 0x05 << 1 << QList{0, 0, 1024, 600} << "300"
            << "168" << QList{0, 168, 1024, 600};
        QTest::newRow("wider window starts at 0")
            << 1059 << 0x05 << 1 << QList{1000, 0, 1064, 768} << "5"
            << "0" << QList{0, 0, 1064, 768};
        // Base map window on a 1920x1080 card.
        QTest::newRow("base map position") << 1071 << 0x04 << 11 << QList{0, 0, 1920, 1080} << "100"
                                           << "0" << QList{0, 0, 1920, 1080};
        QTest::newRow("base map height") << 1074 << 0x04 << 11 << QList{0, 0, 1920, 1080} << "20"
                                         << "48" << QList{0, 0, 1920, 48};
    }

    void windowBoxesFitTheFrame() {
        QFETCH(int, boxId);
        QFETCH(int, command);
        QFETCH(int, code);
        QFETCH(QList<int>, before);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QList<int>, after);
        InputPage p;
        p.SetResolution(kCard1, code);
        p.Edit(kCard1, [&](InputCardRecord& r) {
            auto& h = command == 0x05 ? r.inputHLocation : r.baseMapHLocation;
            auto& v = command == 0x05 ? r.inputVLocation : r.baseMapVLocation;
            auto& w = command == 0x05 ? r.inputHWidth : r.baseMapHWidth;
            auto& hh = command == 0x05 ? r.inputVHeight : r.baseMapVHeight;
            h = before[0], v = before[1], w = before[2], hh = before[3];
        });
        p.Show(kCard1);
        p.program.TakeFrames();
        auto* box = p.Control<DigitsBox>(boxId);
        box->setText(typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), shown);
        const Frames frames = p.program.TakeFrames();
        QCOMPARE(frames.size(), std::size_t(1));
        QCOMPARE(frames[0], WindowFrame(kCard1, command, after[0], after[1], after[2], after[3]));
        const InputCardRecord r = p.Record(kCard1);
        const QList<int> stored =
            command == 0x05
                ? QList{r.inputHLocation, r.inputVLocation, r.inputHWidth, r.inputVHeight}
                : QList{r.baseMapHLocation, r.baseMapVLocation, r.baseMapHWidth, r.baseMapVHeight};
        QCOMPARE(stored, after);
    }

    void aWindowBoxAppliesWhenItLosesTheFocus() {
        InputPage p;
        p.page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p.page));
        p.Show(kCard1);
        p.program.TakeFrames();
        auto* box = p.Control<DigitsBox>(1059);
        box->setFocus();
        QVERIFY(QTest::qWaitFor([box] { return box->hasFocus(); }));
        box->setText("100");
        QTest::keyClick(&p.page, Qt::Key_Escape);  // swallowed: the page stays
        QVERIFY(p.page.isVisible());
        // A click on the page's background takes the focus and so applies the box.
        QTest::mouseClick(&p.page, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(QTest::qWaitFor([box] { return !box->hasFocus(); }));
        QCOMPARE(p.Record(kCard1).inputHLocation, 0);  // 100 + 1920 is past 1920
        QCOMPARE(p.program.TakeFrames().size(), std::size_t(1));
    }

    void valueBoxesTakeDigitsAndClampWithABeep() {
        InputPage p;
        p.Show(kCard1);
        auto* box = p.Control<DigitsBox>(1063);
        box->clear();
        p.Idle();
        p.program.TakeFrames();
        p.Type(box, "-x150");
        QCOMPARE(box->text(), QString("100"));
        QCOMPARE(p.program.dialogs.beeps, 3);  // '-', 'x' and the 150
        QCOMPARE(p.Control<QSlider>(1091)->value(), 100);
        const Frames expected = {PictureFrame(kCard1, 0, 1), PictureFrame(kCard1, 0, 15),
                                 PictureFrame(kCard1, 0, 100)};
        QCOMPARE(p.program.TakeFrames(), expected);
        QCOMPARE(p.Record(kCard1).inputFrameLight, 100);
    }

    void anEmptiedDefinitionBoxSendsZero() {
        InputPage p;
        p.Show(kCard1);
        p.Control<DigitsBox>(1066)->clear();
        QCOMPARE(p.program.TakeFrames(), Frames{PictureFrame(kCard1, 0x03, 0)});
        QCOMPARE(p.Record(kCard1).inputFrameDefinition, 0);
    }

    void theSliderWritesTheBox() {
        InputPage p;
        p.Show(kCard1);
        p.Control<QSlider>(1092)->setValue(80);
        QCOMPARE(p.Control<DigitsBox>(1064)->text(), QString("80"));
        QCOMPARE(p.program.TakeFrames(), Frames{PictureFrame(kCard1, 0x01, 80)});
    }

    void showingAnEqualValueSendsNothing() {
        InputPage p;
        p.Edit(kCard2, [](InputCardRecord& r) { r.inputFrameSaturation = 30; });
        p.Show(kCard1);  // all values as last shown
        QVERIFY(p.program.TakeFrames().empty());
        p.Show(kCard2);
        QCOMPARE(p.program.TakeFrames(), Frames{PictureFrame(kCard2, 0x02, 30)});
        p.Idle();
        p.Show(kCard1);
        QCOMPARE(p.program.TakeFrames(), Frames{PictureFrame(kCard1, 0x02, 50)});
    }

    void fastChangesReplaceTheFrameWaitingForTheLine() {
        InputPage p;
        p.Show(kCard1);
        auto* slider = p.Control<QSlider>(1091);
        for (int v = 60; v <= 90; v += 10)
            slider->setValue(v);  // all within one frame time
        QCOMPARE(p.program.TakeFrames(), Frames{PictureFrame(kCard1, 0, 60)});
        p.Idle();
        // The next command goes out behind the newest waiting value, never before it.
        p.Control<QComboBox>(1057)->setCurrentIndex(1);
        const Frames expected = {
            PictureFrame(kCard1, 0, 90),
            Frame({kCard1, 0x11, 0x01, 8, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55})};
        QCOMPARE(p.program.TakeFrames(), expected);
    }

    void colourTemperatureAndResetOfThePicture() {
        InputPage p;
        p.Show(kCard1);
        p.Control<QComboBox>(1067)->setCurrentIndex(2);
        QCOMPARE(p.program.TakeFrames(),
                 Frames{Frame({kCard1, 0x03, 0x08, 0x01, 2, 0, 0, 0, 0x55, 0x55})});
        QCOMPARE(p.Record(kCard1).inputFrameColorTemperation, std::uint8_t(2));
        p.Control<DigitsBox>(1063)->setText("80");
        p.Idle();
        p.program.TakeFrames();
        p.Control<QPushButton>(1068)->click();
        const Frames expected = {PictureFrame(kCard1, 0, 50),
                                 Frame({kCard1, 0x03, 0x08, 0x01, 0, 0, 0, 0, 0x55, 0x55})};
        QCOMPARE(p.program.TakeFrames(), expected);
        QCOMPARE(p.Control<QComboBox>(1067)->currentIndex(), 0);
        const InputCardRecord r = p.Record(kCard1);
        QCOMPARE(r.inputFrameLight, 50);
        QCOMPARE(r.inputFrameColorTemperation, std::uint8_t(0));
    }

    void sourceAndBaseMapSource_data() {
        QTest::addColumn<int>("listId");
        QTest::addColumn<int>("card");
        QTest::addColumn<int>("layer");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("code");
        QTest::newRow("input source VGA") << 1057 << kCard1 << 0x01 << "VGA" << 8;
        QTest::newRow("base map DVI on card 0x82") << 1070 << kCard2 << 0x00 << "DVI" << 10;
    }

    void sourceAndBaseMapSource() {
        QFETCH(int, listId);
        QFETCH(int, card);
        QFETCH(int, layer);
        QFETCH(QString, source);
        QFETCH(int, code);
        InputPage p;
        p.Show(card);
        p.program.TakeFrames();
        auto* list = p.Control<QComboBox>(listId);
        list->setCurrentIndex(list->findText(source));
        QCOMPARE(p.program.TakeFrames(),
                 Frames{Frame({card, 0x11, layer, code, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55})});
        const InputCardRecord r = p.Record(card);
        QCOMPARE(listId == 1057 ? r.inputSrc : r.baseMapinputSrc, code);
    }

    void pictureWord() {
        InputPage p;
        p.Show(kCard1);
        p.program.TakeFrames();
        // While the word is off, settings are stored and nothing is sent.
        p.Control<QRadioButton>(1219)->click();
        p.Control<QRadioButton>(1080)->click();
        p.Control<QRadioButton>(1082)->click();
        p.Control<DigitsBox>(1083)->setText("255");
        p.Control<DigitsBox>(1084)->setText("128");
        QVERIFY(p.program.TakeFrames().empty());
        InputCardRecord r = p.Record(kCard1);
        QCOMPARE((QList<int>{r.picWordOnoff, r.picWordMode, r.picWordAboveOn, r.picWordAndOr,
                             r.picWordRed, r.picWordGreen, r.picWordBlue}),
                 (QList<int>{0, 1, 1, 1, 255, 128, 0}));
        p.Control<QRadioButton>(1076)->click();
        QCOMPARE(p.program.TakeFrames(),
                 Frames{Frame({0x81, 0x15, 0x01, 0x01, 0x01, 0x01, 0xFF, 0x80, 0x00, 0x55})});
        // Once on, every change sends the whole set.
        p.Idle();
        p.Control<QRadioButton>(1081)->click();
        QCOMPARE(p.program.TakeFrames(),
                 Frames{Frame({0x81, 0x15, 0x01, 0x01, 0x01, 0x00, 0xFF, 0x80, 0x00, 0x55})});
        p.Idle();
        p.Control<QRadioButton>(1075)->click();
        QCOMPARE(p.program.TakeFrames(),
                 Frames{Frame({0x81, 0x15, 0x00, 0x01, 0x01, 0x00, 0xFF, 0x80, 0x00, 0x55})});
        p.Control<DigitsBox>(1085)->setText("300");
        QCOMPARE(p.Control<DigitsBox>(1085)->text(), QString("255"));
        QCOMPARE(p.program.dialogs.beeps, 1);
    }

    void showingACardKeepsItsOwnPictureWord() {
        InputPage p;
        p.Edit(kCard1, [](InputCardRecord& r) {
            r.picWordOnoff = 1;
            r.picWordRed = 200;
        });
        p.Show(kCard1);
        p.Show(kCard2);
        const InputCardRecord second = p.Record(kCard2);
        QCOMPARE(second.picWordOnoff, std::uint8_t(0));
        QCOMPARE(second.picWordRed, 0);
        QVERIFY(p.Control<QRadioButton>(1075)->isChecked());
        QCOMPARE(p.Record(kCard1).picWordRed, 200);
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
        InputPage p;
        p.SetResolution(kCard1, 1);
        p.Edit(kCard1, [](InputCardRecord& r) {
            r.inputSrc = 8;
            r.inputHLocation = 5;
            r.inputHWidth = 700;
            r.picWordOnoff = 1;
            r.picWordRed = 7;
        });
        if (withCard)
            p.Show(kCard1);
        p.Control<DigitsBox>(1063)->setText("80");  // brightness 80 on the page
        p.Idle();
        p.page.SelectResolution(withResolution ? 11 : 0);
        const InputCardRecord before = p.Record(kCard1);
        p.program.TakeFrames();
        p.program.dialogs.dialogAnswers = {answer};
        p.Control<QPushButton>(1086)->click();
        QCOMPARE(p.program.dialogs.modalDialogs, QStringList{"kov::ui::CCardDefaultDlg"});
        const Frames frames = p.program.TakeFrames();
        const InputCardRecord after = p.Record(kCard1);
        if (!withCard || answer != QDialog::Accepted) {
            QVERIFY(frames.empty());
            QCOMPARE(after, before);
            return;
        }
        // The picture value back to its initial value, then reset, then the resolution.
        Frames expected = {PictureFrame(kCard1, 0, 50),
                           Frame({kCard1, 0x13, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55})};
        if (withResolution)
            expected.push_back(Frame({kCard1, 0x02, 11, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
        QCOMPARE(frames, expected);
        QCOMPARE(after.inputSrc, 10);
        QCOMPARE(after.inputFrameLight, 50);
        QCOMPARE(after.picWordOnoff, std::uint8_t(0));
        QCOMPARE(after.picWordRed, 0);
        QCOMPARE(after.baseMapinputSrc, 13);
        if (withResolution) {
            QCOMPARE(after.inputResolution.code, std::uint8_t(11));
            QCOMPARE((QList<int>{after.inputHLocation, after.inputHWidth, after.inputVHeight}),
                     (QList<int>{0, 1920, 1080}));
        } else {
            QCOMPARE(after.inputResolution.code, std::uint8_t(1));
            QCOMPARE(after.inputHWidth, 700);
        }
        QCOMPARE(p.Control<DigitsBox>(1063)->text(), QString("50"));
        QVERIFY(p.Control<QRadioButton>(1075)->isChecked());
        QCOMPARE(p.Control<QComboBox>(1057)->currentData().toInt(), 10);
    }

    void autoAdjustAsksFirst() {
        InputPage p;
        p.Show(kCard2);
        p.program.TakeFrames();
        p.program.dialogs.dialogAnswers = {QDialog::Rejected, QDialog::Accepted};
        p.Control<QPushButton>(1026)->click();
        QVERIFY(p.program.TakeFrames().empty());
        p.Control<QPushButton>(1026)->click();
        QCOMPARE(p.program.TakeFrames(),
                 Frames{Frame({kCard2, 0x12, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55})});
    }

    void refreshAllWithoutACardShowsTheFirstRecord() {
        InputPage p;
        p.SetResolution(0x81, 6);
        p.page.SelectResolution(1);
        p.page.RefreshAll(0);
        QCOMPARE(p.Control<QComboBox>(1055)->currentData().toInt(), 6);
        QVERIFY(p.program.TakeFrames().empty());
    }

    void aLanguageSwitchRelabelsEveryPage() {
        InputPage p;
        p.Show(kCard1);
        p.program.language->Load("chinese");
        p.program.language->LoadNamedTexts();
        kov::ui::RelabelDialog(&p.page, 102, *p.program.language);
        p.page.ApplyTexts();
        QCOMPARE(p.page.NumberBox()->text(), QString::fromUtf8("输入卡:1"));
        QCOMPARE(p.Control<QPushButton>(1086)->text(), QString::fromUtf8("复位板卡"));
        QCOMPARE(p.Control<QRadioButton>(1076)->text(), QString::fromUtf8("开启"));
        QCOMPARE(p.Control<QComboBox>(1067)->itemText(1), QString::fromUtf8("暖色"));
        QCOMPARE(p.page.SubPages()->tabText(2), QString::fromUtf8("底图"));
        QStringList captions;
        for (QLabel* label : p.page.findChildren<QLabel*>())
            captions << label->text();
        QVERIFY(captions.contains(QString::fromUtf8("亮度")));
        QVERIFY(!captions.contains(QString()));
        auto* frame = p.page.BaseMapPage()->findChild<QGroupBox*>();
        QCOMPARE(frame->title(), QString::fromUtf8("图片参数设置"));
    }
};

QTEST_MAIN(InputPageTest)
#include "input_page_test.moc"
