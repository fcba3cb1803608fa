// The output card page's picture and gamma tab: what each edit stores and sends.

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <chrono>

#include "fixtures/frames.h"
#include "fixtures/test_program.h"
#include "output/output_page.h"
#include "output/output_picture_page.h"
#include "shell/window_messages.h"
#include "widgets/digits_box.h"

using kov::OutputCardRecord;
using kov::test::FindControl;
using kov::test::Frame;
using kov::test::TestProgram;
using kov::ui::DigitsBox;
using Frames = std::vector<std::vector<std::uint8_t>>;
using namespace std::chrono_literals;

namespace {

constexpr int kCard = 1;

struct OutputPage {
    OutputPage() : page(program.Context()) { program.TakeFrames(); }

    void Show(int card) {
        kov::ui::PostKovMessage(&page, kov::ui::WM_OUTPUT_CARD_SHOW, card);
        QCoreApplication::sendPostedEvents();
    }

    OutputCardRecord Record(int card) { return *program.records.OutputCopy(card); }

    template <typename T>
    T* Control(int id) {
        T* control = FindControl<T>(page, id);
        if (!control)
            qFatal("no control %d", id);
        return control;
    }

    TestProgram program;
    kov::ui::CPageDlg page;
};

}  // namespace

class OutputPicturePageTest : public QObject {
    Q_OBJECT

private slots:
    void namesThePageAndItsControls() {
        OutputPage p;
        QVERIFY(p.page.findChild<kov::ui::COPPageTwo*>("COPPageTwo"));
        QVERIFY(FindControl<QTabWidget>(p.page, 1031));
        for (int id : {1041, 1020, 1021, 1022})
            QVERIFY(FindControl<DigitsBox>(p.page, id));
        for (int id : {1042, 1043})
            QVERIFY(FindControl<QComboBox>(p.page, id));
        QCOMPARE(p.Control<QComboBox>(1043)->itemText(0), QString("Off"));
        QCOMPARE(p.Control<QComboBox>(1043)->itemText(4), QString("2.2"));
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

QTEST_MAIN(OutputPicturePageTest)
#include "output_picture_page_test.moc"
