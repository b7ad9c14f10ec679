// Geometry of the orb web painted into "Web_level1.png", shared by the asset forge (which draws it)
// and the level compiler (which hangs flies on its threads). Header-only; keep it stable.
#pragma once

#include <cmath>
#include <cstddef>

namespace web_geometry {

// The picture is 1024 x 718 and is drawn stretched over the screen rectangle x 0..1024, y 50..768,
// so one picture pixel is one screen pixel and picture y = screen y - 50.
constexpr int kPictureWidth = 1024;
constexpr int kPictureHeight = 718;
constexpr double kPictureTop = 50.0;  // screen y of picture row 0

// Centre of the web (the hub), in screen pixels; the play circle is centred here too.
constexpr double kCentreX = 492.0;
constexpr double kCentreY = 355.0;

// Radial threads (spokes), as screen angles in degrees: 0 points right, 90 points down (screen y grows
// downward). Slightly irregular like a real web, ascending, all in [0, 360).
constexpr int kSpokeCount = 16;
constexpr double kSpokeAngles[kSpokeCount] = {
    4.0,   26.0,  47.0,  71.0,  93.0,  114.0, 139.0, 160.0,
    184.0, 205.0, 229.0, 251.0, 273.0, 296.0, 317.0, 340.0,
};
constexpr double kSpokeInner = 6.0;    // spokes start this far from the centre (pixels)
constexpr double kSpokeOuter = 284.0;  // and end on the frame thread at this distance

// The capture spiral, drawn as concentric rings. Ring i crosses every spoke at distance kRingRadii[i]
// from the centre and runs in straight chords from spoke to spoke (a polygon, not a circle).
constexpr int kRingCount = 23;
constexpr double kRingFirst = 48.0;   // radius of ring 0 (pixels)
constexpr double kRingStep = 10.5;    // radius added per ring
constexpr double RingRadius(int ring) { return kRingFirst + kRingStep * ring; }
// The outermost thread that frames the web, also a polygon through the spoke ends.
constexpr double kFrameRadius = kSpokeOuter;

// Hub: a small dense knot of short rings around the centre, inside the free zone (no flies there).
constexpr int kHubRingCount = 4;
constexpr double kHubRingRadii[kHubRingCount] = {9.0, 14.0, 19.0, 25.0};

// Mooring threads run from the end of these spokes straight on to the edge of the picture.
constexpr int kMooringCount = 5;
constexpr int kMooringSpokes[kMooringCount] = {1, 5, 8, 11, 14};

struct WebPoint {
    double x = 0;  // screen pixels
    double y = 0;
};

inline double DegToRad(double deg) { return deg * 3.14159265358979323846 / 180.0; }

// Point on spoke `spoke` (0..kSpokeCount-1, wraps) at distance `r` from the centre, in screen pixels.
inline WebPoint SpokePoint(int spoke, double r) {
    int s = ((spoke % kSpokeCount) + kSpokeCount) % kSpokeCount;
    double a = DegToRad(kSpokeAngles[s]);
    return {kCentreX + r * std::cos(a), kCentreY + r * std::sin(a)};
}

// Point on the chord of ring `ring` between spoke `spoke` and the next spoke (wrapping),
// t = 0 at `spoke`, t = 1 at the next one.
inline WebPoint RingChordPoint(int ring, int spoke, double t) {
    double r = RingRadius(ring);
    WebPoint a = SpokePoint(spoke, r);
    WebPoint b = SpokePoint(spoke + 1, r);
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// Index of the spoke that starts the sector containing screen angle `deg` (any value; wrapped).
inline int SectorOf(double deg) {
    double a = std::fmod(deg, 360.0);
    if (a < 0) a += 360.0;
    for (int s = kSpokeCount - 1; s >= 0; --s) {
        if (a >= kSpokeAngles[s]) return s;
    }
    return kSpokeCount - 1;  // before the first spoke: the sector that wraps past 360
}

// Point where the ray from the centre at screen angle `deg` crosses ring `ring`.
inline WebPoint RingPoint(int ring, double deg) {
    int s = SectorOf(deg);
    double r = RingRadius(ring);
    WebPoint a = SpokePoint(s, r);
    WebPoint b = SpokePoint(s + 1, r);
    double dx = std::cos(DegToRad(deg)), dy = std::sin(DegToRad(deg));
    // Solve centre + u * d = a + t * (b - a) for t.
    double ex = b.x - a.x, ey = b.y - a.y;
    double fx = a.x - kCentreX, fy = a.y - kCentreY;
    double den = dx * ey - dy * ex;
    double t = den != 0 ? (dy * fx - dx * fy) / den : 0.0;
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    return {a.x + ex * t, a.y + ey * t};
}

// Screen <-> picture coordinates (the picture is drawn unscaled from screen y 50).
inline WebPoint ScreenToPicture(WebPoint p) { return {p.x, p.y - kPictureTop}; }
inline WebPoint PictureToScreen(WebPoint p) { return {p.x, p.y + kPictureTop}; }

namespace detail {
inline WebPoint NearestOnSegment(WebPoint p, WebPoint a, WebPoint b) {
    double ex = b.x - a.x, ey = b.y - a.y;
    double len2 = ex * ex + ey * ey;
    double t = len2 > 0 ? ((p.x - a.x) * ex + (p.y - a.y) * ey) / len2 : 0.0;
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    return {a.x + ex * t, a.y + ey * t};
}
inline double Dist2(WebPoint a, WebPoint b) { return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y); }
}  // namespace detail

// The point on a spoke or a capture ring (hub and frame excluded) nearest to screen point (x, y).
inline WebPoint NearestThreadPoint(double x, double y) {
    WebPoint p{x, y};
    WebPoint best = SpokePoint(0, kRingFirst);
    double best_d = detail::Dist2(p, best);
    auto consider = [&](WebPoint q) {
        double d = detail::Dist2(p, q);
        if (d < best_d) {
            best_d = d;
            best = q;
        }
    };
    for (int s = 0; s < kSpokeCount; ++s) {
        consider(detail::NearestOnSegment(p, SpokePoint(s, kRingFirst), SpokePoint(s, RingRadius(kRingCount - 1))));
        for (int i = 0; i < kRingCount; ++i) {
            consider(detail::NearestOnSegment(p, RingChordPoint(i, s, 0), RingChordPoint(i, s, 1)));
        }
    }
    return best;
}

}  // namespace web_geometry
