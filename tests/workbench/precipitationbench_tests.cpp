// A precipitation titration on the real main window, offscreen: the third entry of
// `typetitrage`, the beaker's page with the salts in `loxred` and `ltitrant`, a second salt in
// `lsel2`, the chromate's field `Text1(9)`, the conductimeter `Labelsigma` and the silver
// electrode's `LabelE` against the chemistry of silver chloride worked out here.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "state/actions.h"
#include "testsupport.h"
#include "workbench/mainwindow.h"

using namespace workbench;

namespace {

class PrecipitationBenchTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    PrecipitationBenchTest() { testsupport::buildPages(*window); }
    ~PrecipitationBenchTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
    }

    BenchController& bench() { return window->workbench(); }
    template <typename T>
    T* child(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool shown(const char* name) { return child<QWidget>(name)->isVisibleTo(window.get()); }
};

// The number a display shows after its "=" or at its start, decimal comma read.
double shownNumber(QString text) {
    const qsizetype equals = text.indexOf('=');
    if (equals >= 0) text = text.mid(equals + 1);
    text = text.trimmed().section(' ', 0, 0);
    text.replace(',', '.');
    return text.toDouble();
}

}  // namespace

TEST_F(PrecipitationBenchTest, ChlorideBySilverNitrateReadsSigmaAndTheSilverElectrode) {
    auto* kinds = child<QComboBox>("typetitrage");
    ASSERT_EQ(kinds->itemText(2), QStringLiteral("précipitation"));
    emit kinds->activated(2);
    for (const char* other : {"lbecher", "lindic", "Text1(8)", "lindicredox"})
        EXPECT_FALSE(shown(other)) << other;
    for (const char* mine : {"loxred", "ltitrant", "lsel2", "Text1(9)", "lreference"})
        EXPECT_TRUE(shown(mine)) << mine;
    auto* salts = child<QComboBox>("loxred");
    EXPECT_EQ(salts->currentText(), QStringLiteral("chlorure de sodium NaCl"));
    EXPECT_EQ(child<QComboBox>("ltitrant")->currentText(), QStringLiteral("nitrate d'argent AgNO₃"));
    EXPECT_EQ(child<QLineEdit>("Text1(9)")->text(), QStringLiteral("0,005"));
    // Only the halides may join the chloride.
    auto* second = child<QComboBox>("lsel2");
    EXPECT_EQ(second->findText(QStringLiteral("sulfate de sodium Na₂SO₄")), -1);
    EXPECT_GE(second->findText(QStringLiteral("iodure de potassium KI")), 0);

    emit child<QCheckBox>("optscema(2)")->clicked(true);
    emit child<QComboBox>("lreference")->activated(1);  // the saturated calomel electrode
    ASSERT_TRUE(shown("LabelE"));
    ASSERT_TRUE(shown("Labelsigma"));
    bench().perform(state::pressTap);
    for (int tick = 0; tick < 100; ++tick) bench().perform(state::pourTick);
    bench().perform(state::releaseTap);
    const double poured = bench().state().engine.pouredVolume;
    ASSERT_NEAR(poured, 10, 0.05);

    // 20 mL of NaCl 0,01 mol · L-1 with V mL of AgNO₃ 0,01 mol · L-1: half the chloride left,
    // [Ag⁺] = Ks / [Cl⁻] with pKs 9,74; σ from λ° Na⁺ 5,01, Cl⁻ 7,63, NO₃⁻ 7,14, CrO₄²⁻ 17,0,
    // K⁺ 7,35 mS · m² · mol-1.
    const double total = 20 + poured;
    const double chloride = (0.2 - 0.01 * poured) / total;
    const double silver = std::pow(10.0, -9.74) / chloride;
    const double e = 0.80 + 0.05916 * std::log10(silver) - 0.244;
    EXPECT_NEAR(shownNumber(child<QLabel>("LabelE")->text()), e, 0.0006)
        << child<QLabel>("LabelE")->text().toStdString();
    const double chromate = 0.005 * 20 / total;
    const double sigma = 10 * (5.01 * 0.2 / total + 7.63 * chloride + 7.14 * 0.01 * poured / total +
                               17.0 * chromate + 7.35 * 2 * chromate);
    EXPECT_NEAR(shownNumber(child<QLabel>("Labelsigma")->text()), sigma, 0.01 * sigma)
        << child<QLabel>("Labelsigma")->text().toStdString();

    // Back to acid-base: its page comes back, without the salts.
    emit kinds->activated(0);
    EXPECT_TRUE(shown("lbecher"));
    EXPECT_FALSE(shown("lsel2"));
    EXPECT_FALSE(shown("Text1(9)"));
}
