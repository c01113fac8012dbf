// The cp1251 codec, and the core's compile-time cp1251 literals checked
// against it.
#include "text/cp1251_codec.h"
#include "text/cp1251_literal.h"
#include "profile/factor_catalogue.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavo;

namespace {

std::string encodeCp1251(const char *utf8) { return utf8ToCp1251(utf8); }

} // namespace

TEST(Cp1251Codec, EveryByteDecodesAndEncodesBack)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(char(b));
    const std::string utf8 = cp1251ToUtf8(all);
    EXPECT_EQ(utf8ToCp1251(utf8), all);
}

TEST(Cp1251Codec, DecodesTheLettersAndSigns)
{
    const struct {
        std::string cp1251;
        std::string utf8;
    } cases[] = {
        {"", ""},
        {"abc", "abc"},
        {"\xC0\xE1\xE2", "Абв"},
        {"\xA8\xB8", "Ёё"},
        {"\x88\xB9\x96", "€№–"},
        {"\x98", "\xC2\x98"}, // the one byte cp1251 leaves unassigned
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(cp1251ToUtf8(c.cp1251), c.utf8);
    }
}

TEST(Cp1251Codec, WhatCp1251LacksBecomesOneQuestionMarkEach)
{
    const struct {
        const char *utf8;
        const char *cp1251;
    } cases[] = {
        {"Zoë", "Zo?"},      {"日本", "??"}, {"a😀b", "a?b"}, // outside the BMP: one character, one "?"
        {"x\xFFy", "x?y"},                                   // not UTF-8 at all
        {"x\xE2\x82", "x?"},                                 // a character cut off at the end
        {"\xE2\x82x", "?x"},                                 // ... or in the middle
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(utf8ToCp1251(c.utf8), c.cp1251);
    }
}

TEST(Cp1251Codec, LongTextsConvertWhole)
{
    std::string cp1251;
    for (int i = 0; i < 100000; ++i)
        cp1251.push_back(char(0xC0 + i % 64));
    const std::string utf8 = cp1251ToUtf8(cp1251);
    ASSERT_EQ(utf8.size(), 2 * cp1251.size());
    const std::string back = utf8ToCp1251(utf8);
    ASSERT_EQ(back.size(), cp1251.size());
    EXPECT_TRUE(back == cp1251);
}

TEST(Cp1251Literal, MatchesCodecForWholeAlphabet)
{
    constexpr auto literal = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя -+.,:;\"()"_cp1251;
    EXPECT_EQ(std::string(literal),
              encodeCp1251("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя -+.,:;\"()"));
}

TEST(FactorCatalogue, EntriesAreTheQuestionnaireTextsInCp1251)
{
    const char *const expected[kFactorCount] = {
        " 1. Потребность в высокой заработной плате и материальном вознаграждении, в желании иметь работу с хорошим "
        "набором льгот и надбавок.",
        " 2. Потребность в хороших условиях работы и комфортной обстановке на рабочем месте.",
        " 3. Потребность в руководстве и определенности: чёткое структурирование обязанностей, наличие обратной связи "
        "и инф-ции, позволяющей судить о результатах А.",
        " 4. Потребность в широких социальных контактах во время работы: общение с широким кругом людей при решении "
        "производственных задач.",
        " 5. Потребность в формировании и поддержании долгосрочных, стабильных, близких и доверительных  "
        "взаимоотношений с коллегами по работе.",
        " 6. Потребность в завоевании признания и внимания со стороны других людей, в том, чтобы окружающие ценили "
        "твои заслуги, достижения и успехи.",
        " 7. Потребность самостоятельно ставить для себя сложные цели и достигать их, преодолевая трудности.",
        " 8. Потребности во влиятельности и власти: стремление руководить другими, настойчивое стремление к "
        "конкуренции и влиянию на других.",
        " 9. Потребность в разнообразии, переменах: стремление избегать рутины и скуки, постоянная готовность к новым "
        "действиям.",
        "10. Потребность быть креативным (творческим), анализирующим, думающим работником, открытым для новых идей.",
        "11. Потребность в совершенствовании, росте и развитии как профессионально, так и личностно.",
        "12. Потребность в работе востребованной, осмысленной, общественно полезной.",
    };
    for (int k = 1; k <= kFactorCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(std::string(factorText(k)), encodeCp1251(expected[k - 1]));
    }
}
