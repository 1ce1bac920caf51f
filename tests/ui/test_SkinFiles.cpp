// SPDX-License-Identifier: GPL-3.0-or-later
#include <QColor>
#include <QtMath>
#include <gtest/gtest.h>

#include "controls/SkinCatalogue.h"
#include "controls/SkinImage.h"

namespace qm {
namespace {

bool Reddish(QRgb c) {
    return qRed(c) > qGreen(c) + 40 && qRed(c) > qBlue(c) + 40;
}

TEST(SkinFiles, EveryPathTheWindowsQuoteResolvesWithItsSize) {
    for (const auto& file : skins::kFiles) {
        const QString path = QString::fromUtf8(file.path);
        EXPECT_FALSE(Skins::Resolve(path).isEmpty()) << file.path;
        EXPECT_EQ(Skins::ImageSize(path), QSize(file.width, file.height)) << file.path;
    }
    for (const auto& file : skins::kResources) {
        EXPECT_EQ(Skins::ImageSize(QString::fromUtf8(file.path)), QSize(file.width, file.height))
            << file.path;
    }
}

TEST(SkinFiles, HotspotsOfBothViewsInBothStates) {
    for (int n = 1; n <= 7; ++n) {
        for (const char* state : {"normal", "over"}) {
            const QString front = QString::asprintf(skins::kFrontHotspot, n, state);
            const QString side = QString::asprintf(skins::kSideHotspot, n, state);
            EXPECT_EQ(Skins::ImageSize(front), QSize(skins::kBadgeWidth, skins::kBadgeHeight)) << qPrintable(front);
            EXPECT_EQ(Skins::ImageSize(side),
                      QSize(skins::kBadgeWidth, skins::SideBadgeHasStem(n) ? skins::kStemBadgeHeight
                                                                           : skins::kBadgeHeight))
                << qPrintable(side);
        }
    }
    // The spellings with mixed separators and "skins" in lower case reach the same file.
    EXPECT_EQ(Skins::Resolve("\\skins/MacroManagement\\Record-normal.png"),
              Skins::Resolve("Skins/MacroManagement/Record-normal.png"));
    EXPECT_TRUE(Skins::Resolve("Skins/NoSuchFile.png").isEmpty());
}

// The report-rate page picks a rate by the quadrant of the ring clicked (centre (64, 61) of
// the dial image, radius 35..64): each dial must light the quadrant that selects its rate.
TEST(SkinFiles, RateDialsLightTheQuadrantThatSelectsThem) {
    struct Dial {
        int hz;
        int angle;  // centre of the quadrant, degrees counter-clockwise from 3 o'clock
    };
    const Dial dials[] = {{1000, 45}, {125, 135}, {250, 225}, {500, 315}};
    for (const Dial& dial : dials) {
        const QImage image = Skins::Load(QStringLiteral("Skins/USBReportRate/%1HZ.png").arg(dial.hz));
        ASSERT_FALSE(image.isNull()) << dial.hz;
        for (const Dial& other : dials) {
            const qreal a = qDegreesToRadians(qreal(other.angle));
            const QPoint p(qRound(64 + 50 * qCos(a)), qRound(61 - 50 * qSin(a)));
            EXPECT_EQ(Reddish(image.pixel(p)), other.hz == dial.hz) << dial.hz << " at " << other.hz;
        }
    }
}

// The pointer pages map the angle of a click on the half ring (centre (71, 71), radius
// 43..71) to a step; each dial must light the steps up to its own and no further.
TEST(SkinFiles, SpeedDialsLightTheirStepsWhereTheClickMathsPutsThem) {
    for (int step = 1; step <= 11; ++step) {
        const QImage image = Skins::Load(QStringLiteral("Skins/MouseAttribute/Speed/%1.png").arg(step));
        ASSERT_FALSE(image.isNull()) << step;
        for (int k = 1; k <= 11; ++k) {
            // Inside step k: the page gives 1 from 175 degrees on, 2 from 162 to 175.
            const qreal degrees = k == 1 ? 177.5 : k == 2 ? 168.5 : 18.0 * (11 - k) + 9;
            const qreal a = qDegreesToRadians(degrees);
            const QPoint p(qRound(71 + 57 * qCos(a)), qRound(71 - 57 * qSin(a)));
            EXPECT_EQ(Reddish(image.pixel(p)), k <= step) << "dial " << step << " step " << k;
        }
    }
}

// The tray shows the icon on dark and on light panels: it keeps a dark body with a light
// rim, and the mouse inside it a light outline, so it reads on both.
TEST(SkinFiles, TheIconReadsOnDarkAndLightPanels) {
    const QImage icon = QImage(QStringLiteral(":/skins/qm517pro.png")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.size(), QSize(64, 64));
    const auto light = [](QRgb c) { return qAlpha(c) > 200 && QColor(c).lightness() > 190; };
    const auto dark = [](QRgb c) { return qAlpha(c) > 200 && QColor(c).lightness() < 70; };
    // Along the middle row: rim (light), tile (dark), outline (light), mouse body (dark).
    std::string pattern;
    for (int x = 0; x < 32; ++x) {
        const QRgb c = icon.pixel(x, 32);
        const char kind = light(c) ? 'L' : dark(c) ? 'D' : '.';
        if (kind != '.' && (pattern.empty() || pattern.back() != kind)) {
            pattern += kind;
        }
    }
    EXPECT_EQ(pattern.substr(0, 4), "LDLD") << pattern;
}

}  // namespace
}  // namespace qm
