// Checks the shared orb-web geometry that both the asset forge and the level compiler rely on.
#include <gtest/gtest.h>

#include <cmath>

#include "../../tools/forge/web_geometry.h"

namespace wg = web_geometry;

TEST(WebGeometry, SpokesAreAscendingAndRingsStayInsideTheFrame) {
    for (int s = 1; s < wg::kSpokeCount; ++s) EXPECT_LT(wg::kSpokeAngles[s - 1], wg::kSpokeAngles[s]);
    EXPECT_GE(wg::kSpokeAngles[0], 0.0);
    EXPECT_LT(wg::kSpokeAngles[wg::kSpokeCount - 1], 360.0);
    EXPECT_LT(wg::RingRadius(wg::kRingCount - 1), wg::kFrameRadius);
    // The whole web fits in the picture.
    for (int s = 0; s < wg::kSpokeCount; ++s) {
        wg::WebPoint p = wg::ScreenToPicture(wg::SpokePoint(s, wg::kSpokeOuter));
        EXPECT_GE(p.x, 0);
        EXPECT_LT(p.x, wg::kPictureWidth);
        EXPECT_GE(p.y, 0);
        EXPECT_LT(p.y, wg::kPictureHeight);
    }
}

TEST(WebGeometry, RingPointLiesOnTheChordAndOnTheRay) {
    for (int ring : {0, 7, wg::kRingCount - 1}) {
        for (double deg = -30; deg < 400; deg += 7.3) {
            wg::WebPoint p = wg::RingPoint(ring, deg);
            // On the ray from the centre at that angle.
            double a = std::atan2(p.y - wg::kCentreY, p.x - wg::kCentreX) * 180.0 / 3.14159265358979323846;
            double diff = std::fmod(a - deg + 720.0, 360.0);
            EXPECT_TRUE(diff < 1e-6 || diff > 360 - 1e-6) << ring << " " << deg;
            // Between the chord radius (inner) and the ring radius (at the spokes).
            double r = std::hypot(p.x - wg::kCentreX, p.y - wg::kCentreY);
            EXPECT_LE(r, wg::RingRadius(ring) + 1e-9);
            EXPECT_GT(r, wg::RingRadius(ring) * 0.95);
            // And the nearest thread to it is itself.
            wg::WebPoint q = wg::NearestThreadPoint(p.x, p.y);
            EXPECT_NEAR(q.x, p.x, 1e-6);
            EXPECT_NEAR(q.y, p.y, 1e-6);
        }
    }
    // Exactly on a spoke the ring point is the spoke point.
    wg::WebPoint s = wg::SpokePoint(3, wg::RingRadius(5));
    wg::WebPoint r = wg::RingPoint(5, wg::kSpokeAngles[3]);
    EXPECT_NEAR(s.x, r.x, 1e-9);
    EXPECT_NEAR(s.y, r.y, 1e-9);
}

TEST(WebGeometry, NearestThreadPointSnapsOffThreadPoints) {
    // A point midway between two rings on a spoke's line snaps to the spoke (distance 0).
    wg::WebPoint on_spoke = wg::SpokePoint(2, (wg::RingRadius(4) + wg::RingRadius(5)) / 2);
    wg::WebPoint q = wg::NearestThreadPoint(on_spoke.x, on_spoke.y);
    EXPECT_NEAR(q.x, on_spoke.x, 1e-9);
    EXPECT_NEAR(q.y, on_spoke.y, 1e-9);
    // A point far outside snaps no further out than the outer ring.
    q = wg::NearestThreadPoint(wg::kCentreX + 1000, wg::kCentreY);
    EXPECT_LE(std::hypot(q.x - wg::kCentreX, q.y - wg::kCentreY), wg::RingRadius(wg::kRingCount - 1) + 1e-9);
    // The centre (free zone) snaps to the innermost ring or the start of a spoke.
    q = wg::NearestThreadPoint(wg::kCentreX, wg::kCentreY);
    EXPECT_NEAR(std::hypot(q.x - wg::kCentreX, q.y - wg::kCentreY), wg::kRingFirst, wg::kRingFirst * 0.1);
}
