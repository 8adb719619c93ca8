// An oxidation-reduction titration in the configuration file's extension entries: what is saved,
// what is read back, and what is refused rather than misread.
#include <gtest/gtest.h>

#include <string>

#include "chemistry/situationreport.h"
#include "state/actions.h"
#include "state/benchconfiguration.h"

namespace state {

namespace {

BenchState redoxBench() {
    BenchState b;
    setDefaults(b);
    start(b);
    switchSituation(b, 1);
    chooseTitrationKind(b, chemistry::TitrationKind::Redox);
    chooseRedoxTitrant(b, 9);  // cerium(IV)
    setFieldText(b, Field::SulfuricAcid, "0,5");
    validateField(b, Field::SulfuricAcid);
    chooseRedoxIndicator(b, 2);
    chooseReferenceElectrode(b, 1);
    switchSituation(b, 0);
    return b;
}

}  // namespace

TEST(RedoxEntries, ASituationsChoicesComeBackAndAnAcidBaseFileHasNone) {
    const configuration::ConfigurationFile saved = configurationFromBench(redoxBench());
    EXPECT_EQ(saved.extensions.value("s2.titrage"), std::optional<std::string_view>("oxydoréduction"));
    EXPECT_EQ(saved.extensions.value("s2.acide"), std::optional<std::string_view>("0,5"));
    EXPECT_FALSE(saved.extensions.value("s1.titrage").has_value()) << "the acid-base situation";

    configuration::ConfigurationFile read = saved;
    for (chemistry::Situation& s : read.situations) s = chemistry::Situation{};
    read.situations[1].completed = saved.situations[1].completed;
    ASSERT_TRUE(acceptConfiguration(read));
    const chemistry::Situation& back = read.situations[1];
    EXPECT_EQ(back.kind, chemistry::TitrationKind::Redox);
    EXPECT_EQ(std::make_tuple(back.redoxBeakerSpecies, back.redoxTitrantSpecies, back.redoxIndicator,
                              back.redoxReference, back.sulfuricAcidText),
              std::make_tuple(0, 9, 2, 1, std::string("0,5")));
    EXPECT_EQ(read.situations[0].kind, chemistry::TitrationKind::AcidBase);

    BenchState acidBase;
    setDefaults(acidBase);
    start(acidBase);
    const configuration::ConfigurationFile plain = configurationFromBench(acidBase);
    for (const auto& entry : plain.extensions.entries())
        EXPECT_EQ(entry.key.find("titra"), std::string::npos) << entry.key;
}

TEST(RedoxEntries, AnUnknownKindAnIndexNotANumberOrATitrationThatDoesNotHappenIsRefused) {
    struct Odd {
        const char* key;
        const char* value;
    };
    for (const Odd odd : {Odd{"s3.titrage", "précipitation"}, Odd{"s3.oxred", "fer"}, Odd{"s3.titrant", "7 "},
                          // Iron(II) by iron(III): the same couple.
                          Odd{"s3.titrant", "10"}}) {
        configuration::ConfigurationFile file = configurationFromBench(redoxBench());
        file.extensions.set("s3.titrage", "oxydoréduction");
        file.extensions.set(odd.key, odd.value);
        EXPECT_FALSE(acceptConfiguration(file)) << odd.key << " = " << odd.value;
    }
}

}  // namespace state

namespace state {

TEST(RedoxReports, TheHistoryAndThePrintoutNameTheSpeciesOfTheLists) {
    BenchState b;
    setDefaults(b);
    start(b);
    chooseTitrationKind(b, chemistry::TitrationKind::Redox);
    quickTrace(b);
    switchSituation(b, 1);
    const auto reports = chemistry::completedSituationReports(b.situations.records, catalogue());
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_EQ(reports[0].speciesName, "ion fer(II) Fe²⁺");
    EXPECT_EQ(reports[0].titrantName, "ion permanganate MnO₄⁻");
}

}  // namespace state
