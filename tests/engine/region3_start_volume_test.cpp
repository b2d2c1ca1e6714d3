#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>
#include <string>

#include "vaporix/StateProperties.h"
#include "vaporix/equations/Region3Equation.h"
#include "vaporix/equations/SaturationEquation.h"

namespace vaporix {
namespace {

const Region3Equation kRegion3;
const SaturationEquation kSaturation;

// IAPWS SR5-05(2016) v(p,T) for region 3, Tables 5 and 13: the verification
// values of the 26 subregion equations (p in MPa, T in K, v in m3/kg).
struct VolumeVerification {
  char subregion;
  double p;
  double T;
  double v;
};
const VolumeVerification kVerificationVolumes[] = {
    {'a', 50.0, 630.0, 0.001470853100},  {'a', 80.0, 670.0, 0.001503831359},
    {'b', 50.0, 710.0, 0.002204728587},  {'b', 80.0, 750.0, 0.001973692940},
    {'c', 20.0, 630.0, 0.001761696406},  {'c', 30.0, 650.0, 0.001819560617},
    {'d', 26.0, 656.0, 0.002245587720},  {'d', 30.0, 670.0, 0.002506897702},
    {'e', 26.0, 661.0, 0.002970225962},  {'e', 30.0, 675.0, 0.003004627086},
    {'f', 26.0, 671.0, 0.005019029401},  {'f', 30.0, 690.0, 0.004656470142},
    {'g', 23.6, 649.0, 0.002163198378},  {'g', 24.0, 650.0, 0.002166044161},
    {'h', 23.6, 652.0, 0.002651081407},  {'h', 24.0, 654.0, 0.002967802335},
    {'i', 23.6, 653.0, 0.003273916816},  {'i', 24.0, 655.0, 0.003550329864},
    {'j', 23.5, 655.0, 0.004545001142},  {'j', 24.0, 660.0, 0.005100267704},
    {'k', 23.0, 660.0, 0.006109525997},  {'k', 24.0, 670.0, 0.006427325645},
    {'l', 22.6, 646.0, 0.002117860851},  {'l', 23.0, 646.0, 0.002062374674},
    {'m', 22.6, 648.6, 0.002533063780},  {'m', 22.8, 649.3, 0.002572971781},
    {'n', 22.6, 649.0, 0.002923432711},  {'n', 22.8, 649.7, 0.002913311494},
    {'o', 22.6, 649.1, 0.003131208996},  {'o', 22.8, 649.9, 0.003221160278},
    {'p', 22.6, 649.4, 0.003715596186},  {'p', 22.8, 650.2, 0.003664754790},
    {'q', 21.1, 640.0, 0.001970999272},  {'q', 21.8, 643.0, 0.002043919161},
    {'r', 21.1, 644.0, 0.005251009921},  {'r', 21.8, 648.0, 0.005256844741},
    {'s', 19.1, 635.0, 0.001932829079},  {'s', 20.0, 638.0, 0.001985387227},
    {'t', 17.0, 626.0, 0.008483262001},  {'t', 20.0, 640.0, 0.006227528101},
    {'u', 21.5, 644.6, 0.002268366647},  {'u', 22.0, 646.1, 0.002296350553},
    {'v', 22.5, 648.6, 0.002832373260},  {'v', 22.3, 647.9, 0.002811424405},
    {'w', 22.15, 647.5, 0.003694032281}, {'w', 22.3, 648.1, 0.003622226305},
    {'x', 22.11, 648.0, 0.004528072649}, {'x', 22.3, 649.0, 0.004556905799},
    {'y', 22.0, 646.84, 0.002698354719}, {'y', 22.064, 647.05, 0.002717655648},
    {'z', 22.0, 646.89, 0.003798732962}, {'z', 22.064, 647.15, 0.003701940009},
};

TEST(region3_start_volume_test, subregion_verification_volumes) {
  for (const VolumeVerification& c : kVerificationVolumes) {
    EXPECT_NEAR(kRegion3.SubregionVolume(c.subregion, c.p, c.T), c.v, 1e-9 * c.v)
        << "subregion " << c.subregion << " at p = " << c.p << ", T = " << c.T;
    // Every verification point lies inside its own subregion.
    EXPECT_EQ(kRegion3.StartVolumeSubregion(c.p, c.T), c.subregion)
        << "p = " << c.p << ", T = " << c.T;
    EXPECT_EQ(kRegion3.StartVolume(c.p, c.T), kRegion3.SubregionVolume(c.subregion, c.p, c.T));
  }
}

// Boundary temperatures T_xy(p) of the subregion selection (IAPWS SR5-05
// Tables 2, 3, 10 and 11; "Ts" is the IF97 saturation temperature), with the
// subregion on the low-temperature side, which includes the boundary, and the
// one above it.
struct BoundaryCase {
  double p;
  double T;
  const char* boundary;
  char below;
  char above;
};
const BoundaryCase kBoundaryCases[] = {
    {70.0, 734.6014199609, "ab", 'a', 'b'},  {100.0, 762.3807825098, "ab", 'a', 'b'},
    {32.0, 666.4909471380, "cd", 'c', 'd'},  {32.0, 676.3596728843, "ab", 'd', 'e'},
    {32.0, 684.1362952077, "ef", 'e', 'f'},  {40.0, 693.0341408296, "ab", 'd', 'e'},
    {40.0, 713.9593992397, "ef", 'e', 'f'},  {24.2, 647.4099594060, "cd", 'c', 'g'},
    {24.2, 653.9592269119, "gh", 'g', 'h'},  {24.2, 655.0587687765, "ef", 'h', 'i'},
    {24.2, 657.0876790515, "ij", 'i', 'j'},  {24.2, 663.2099897193, "jk", 'j', 'k'},
    {25.0, 656.6980572261, "gh", 'g', 'h'},  {23.2, 644.9628292906, "cd", 'c', 'l'},
    {23.2, 650.5655395979, "gh", 'l', 'h'},  {23.2, 651.3308807725, "ef", 'h', 'i'},
    {23.2, 652.4925708016, "ij", 'i', 'j'},  {23.2, 657.0542497879, "jk", 'j', 'k'},
    {23.5, 645.6972725777, "cd", 'c', 'l'},  {22.75, 643.8605975280, "cd", 'c', 'l'},
    {22.75, 649.0098934771, "gh", 'l', 'm'}, {22.75, 649.4350386087, "mn", 'm', 'n'},
    {22.75, 649.6533311707, "ef", 'n', 'o'}, {22.75, 649.8132827442, "op", 'o', 'p'},
    {22.75, 650.4365283690, "ij", 'p', 'j'}, {22.75, 654.3138180989, "jk", 'j', 'k'},
    {23.0, 649.8873759273, "gh", 'l', 'm'},  {23.0, 651.5778090636, "ij", 'p', 'j'},
    {23.0, 655.8338343777, "jk", 'j', 'k'},  {22.8, 649.6054132954, "mn", 'm', 'n'},
    {22.8, 650.0106943141, "op", 'o', 'p'},  {21.5, 640.7945975530, "cd", 'c', 'q'},
    {21.5, 644.3416926180, "qu", 'q', 'u'},  {21.5, 644.9451095664, "Ts", 'u', 'x'},
    {21.5, 645.5781697778, "rx", 'x', 'r'},  {21.5, 646.8158646157, "jk", 'r', 'k'},
    {22.3, 646.4066080385, "qu", 'q', 'u'},  {22.3, 647.7996121480, "uv", 'u', 'v'},
    {22.3, 647.9757815689, "ef", 'v', 'w'},  {22.3, 648.2049479507, "wx", 'w', 'x'},
    {22.3, 649.8845577229, "rx", 'x', 'r'},  {22.3, 651.5940918894, "jk", 'r', 'k'},
    {22.5, 648.4477660063, "uv", 'u', 'v'},  {22.5, 648.7213591697, "ef", 'v', 'w'},
    {22.5, 649.0693077060, "wx", 'w', 'x'},  {22.08, 645.8414982597, "qu", 'q', 'u'},
    {22.08, 647.0837777778, "uv", 'u', 'y'}, {22.08, 647.1556462081, "ef", 'y', 'z'},
    {22.08, 647.2552330369, "wx", 'z', 'x'}, {22.08, 648.6940473723, "rx", 'x', 'r'},
    {22.11, 647.1815746757, "uv", 'u', 'y'}, {22.11, 647.2674828482, "ef", 'y', 'z'},
    {22.11, 647.3846653214, "wx", 'z', 'x'}, {22.0, 645.6355027340, "qu", 'q', 'u'},
    {22.0, 646.8226957669, "uv", 'u', 'y'},  {22.0, 646.8565652248, "Ts", 'y', 'z'},
    {22.0, 646.9102043306, "wx", 'z', 'x'},  {22.0, 648.2622753670, "rx", 'x', 'r'},
    {21.92, 646.5553158429, "Ts", 'u', 'z'}, {21.92, 646.5653648969, "wx", 'z', 'x'},
    {21.1, 643.2983452993, "qu", 'q', 'u'},  {21.1, 643.3749155941, "Ts", 'u', 'x'},
    {21.1, 643.4498877999, "rx", 'x', 'r'},  {20.8, 639.0743895470, "cd", 'c', 's'},
    {20.8, 642.1763707078, "Ts", 's', 'r'},  {20.8, 642.7021625050, "jk", 'r', 'k'},
    {19.8, 636.6121065451, "cd", 'c', 's'},  {19.8, 638.0566143735, "Ts", 's', 't'},
    {17.0, 625.4434396442, "Ts", 'c', 't'},  {16.6, 623.4985046419, "Ts", 'c', 't'},
};

TEST(region3_start_volume_test, selection_on_both_sides_of_each_boundary) {
  constexpr double kOffset = 1e-6;  // K
  for (const BoundaryCase& c : kBoundaryCases) {
    if (std::string(c.boundary) == "Ts") {
      // The saturation temperature itself belongs to the liquid side.
      EXPECT_EQ(kRegion3.StartVolumeSubregion(c.p, kSaturation.SaturationTemperature(c.p)), c.below)
          << "on Ts at p = " << c.p;
    }
    EXPECT_EQ(kRegion3.StartVolumeSubregion(c.p, c.T - kOffset), c.below)
        << "just below T_" << c.boundary << " at p = " << c.p;
    EXPECT_EQ(kRegion3.StartVolumeSubregion(c.p, c.T + kOffset), c.above)
        << "just above T_" << c.boundary << " at p = " << c.p;
  }
}

// The published boundary temperatures (IAPWS SR5-05 Tables 3 and 11) are where
// the selection switches.
TEST(region3_start_volume_test, published_boundary_temperatures) {
  const BoundaryCase cases[] = {
      {40.0, 693.0341408, "ab", 'd', 'e'}, {25.0, 649.3659208, "cd", 'c', 'g'},
      {40.0, 713.9593992, "ef", 'e', 'f'}, {23.0, 649.8873759, "gh", 'l', 'm'},
      {23.0, 651.5778091, "ij", 'p', 'j'}, {23.0, 655.8338344, "jk", 'j', 'k'},
      {22.8, 649.6054133, "mn", 'm', 'n'}, {22.8, 650.0106943, "op", 'o', 'p'},
      {22.0, 645.6355027, "qu", 'q', 'u'}, {22.0, 648.2622754, "rx", 'x', 'r'},
      {22.3, 647.7996121, "uv", 'u', 'v'}, {22.3, 648.2049480, "wx", 'w', 'x'},
  };
  for (const BoundaryCase& c : cases) {
    EXPECT_EQ(kRegion3.StartVolumeSubregion(c.p, c.T - 1e-6), c.below) << "T_" << c.boundary;
    EXPECT_EQ(kRegion3.StartVolumeSubregion(c.p, c.T + 1e-6), c.above) << "T_" << c.boundary;
  }
}

// The pressure bands of the selection: each upper band limit belongs to the
// band below it; a point just above it is selected in the next band.
TEST(region3_start_volume_test, selection_on_both_sides_of_each_pressure_limit) {
  struct Case {
    double p;
    double T;
    char atLimit;
    char justAbove;
  };
  const double ps643 = kSaturation.SaturationPressure(643.15);
  const Case cases[] = {
      {40.0, 690.0, 'd', 'a'},
      {40.0, 700.0, 'e', 'b'},
      {40.0, 720.0, 'f', 'b'},
      {25.0, 653.0, 'g', 'd'},
      {25.0, 657.5, 'h', 'e'},
      {23.5, 650.0, 'l', 'g'},
      {23.0, 650.0, 'm', 'h'},
      {22.5, 648.6, 'v', 'n'},
      {22.5, 648.3, 'u', 'm'},
      {22.11, 647.25, 'y', 'v'},
      {22.11, 647.3, 'z', 'w'},
      {22.064, 647.05, 'y', 'y'},
      {22.064, 647.15, 'z', 'z'},
      {22.064, 647.02, 'u', 'u'},
      {ps643, 642.0, 's', 'q'},
      {ps643, 643.5, 'r', 'r'},
      {20.5, 641.5, 't', 'k'},
      {20.5, 640.0, 's', 's'},
      {19.00881189173929, 640.0, 't', 't'},
      {19.00881189173929, 630.0, 'c', 'c'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(kRegion3.StartVolumeSubregion(c.p, c.T), c.atLimit)
        << "p = " << c.p << ", T = " << c.T;
    EXPECT_EQ(kRegion3.StartVolumeSubregion(c.p + 1e-6, c.T), c.justAbove)
        << "p = " << c.p << " + 1e-6, T = " << c.T;
  }
  // Below the critical pressure the near-critical slivers y and z begin at
  // 21.93161551 MPa (liquid side) and 21.90096265 MPa (vapour side).
  EXPECT_EQ(kRegion3.StartVolumeSubregion(21.9009, 646.4832), 'x');
  EXPECT_EQ(kRegion3.StartVolumeSubregion(21.91, 646.52), 'z');
  EXPECT_EQ(kRegion3.StartVolumeSubregion(21.93, 646.593), 'u');
  EXPECT_EQ(kRegion3.StartVolumeSubregion(21.94, 646.63), 'y');
}

// The density that solves the basic equation p(rho, T) = p next to the start
// density: it walks from the start towards the pressure (down while the
// pressure is too high, up while it is too low) in steps growing to 0.1 % and
// bisects the step that crosses. Below the critical temperature an isotherm
// crosses a pressure up to three times (vapour, unstable, liquid root); a walk
// that starts on the liquid or vapour branch, or in the unstable gap next to
// it, ends at the root of that branch.
double SolvedDensity(double p, double T, double startDensity) {
  const auto tooHigh = [&](double rho) { return kRegion3.Pressure(T, rho) > p; };
  const bool down = tooHigh(startDensity);
  double from = startDensity;
  double to = startDensity;
  double step = 1e-6;
  for (int n = 0; n < 20000; ++n) {
    to = down ? from * (1.0 - step) : from * (1.0 + step);
    if (tooHigh(to) != down) {
      break;
    }
    from = to;
    step = std::min(2.0 * step, 1e-3);
  }
  double lo = std::min(from, to);
  double hi = std::max(from, to);
  while (hi - lo > 1e-14 * hi) {
    const double mid = 0.5 * (lo + hi);
    (tooHigh(mid) ? hi : lo) = mid;
  }
  return 0.5 * (lo + hi);
}

// Which root the point needs: liquid (denser than critical), vapour (less
// dense) or, above the critical temperature and pressure, the only one.
enum class Phase { kLiquid, kVapour, kSupercritical };

Phase PhaseAt(double p, double T) {
  if (p <= kCriticalPressure) {
    return T <= kSaturation.SaturationTemperature(p) ? Phase::kLiquid : Phase::kVapour;
  }
  return T < kCriticalTemperature ? Phase::kLiquid : Phase::kSupercritical;
}

// Relative deviation of StartVolume from the specific volume that solves the
// basic equation on the point's side of the saturation line.
double StartVolumeDeviation(double p, double T) {
  const double start = kRegion3.StartVolume(p, T);
  if (!(start > 0.0)) {
    ADD_FAILURE() << "no start volume at p = " << p << ", T = " << T;
    return std::numeric_limits<double>::infinity();
  }
  const double rho = SolvedDensity(p, T, 1.0 / start);
  const Phase phase = PhaseAt(p, T);
  if ((phase == Phase::kLiquid && rho < kCriticalDensity) ||
      (phase == Phase::kVapour && rho > kCriticalDensity)) {
    ADD_FAILURE() << "root on the wrong side of the saturation line at p = " << p << ", T = " << T
                  << ": rho = " << rho;
  }
  return std::fabs(start * rho - 1.0);
}

// Accuracy of the subregion equations stated with the IAPWS v(p,T) release.
struct Group {
  const char* name;
  char first;
  char last;
  double limit;
};
constexpr Group kGroups[] = {
    {"a-t", 'a', 't', 1e-5},
    {"u-x", 'u', 'x', 1e-3},
    {"y-z", 'y', 'z', 2e-2},
};

struct Worst {
  double deviation = 0.0;
  double p = 0.0;
  double T = 0.0;
  int points = 0;
};

// Measures on grids over region 3 how far StartVolume lies from the solved
// volume, per subregion: a coarse grid over the whole region, a finer one
// over 19 ... 25 MPa, a fine one around the critical point and a very fine
// one over the slivers y and z beside the saturation and critical lines.
TEST(region3_start_volume_test, start_volume_accuracy_per_subregion_group) {
  std::map<char, Worst> worst;
  const auto visit = [&](double p, double T) {
    const double highest = kSaturation.B23Temperature(std::max(p, 16.5292));
    if (T < 623.15 || T > highest || p > 100.0) {
      return;
    }
    const double deviation = StartVolumeDeviation(p, T);
    Worst& w = worst[kRegion3.StartVolumeSubregion(p, T)];
    ++w.points;
    if (deviation > w.deviation) {
      w = {deviation, p, T, w.points};
    }
  };
  const double lowest = kSaturation.SaturationPressure(623.15) + 1e-6;
  for (double p = lowest; p <= 100.0; p += 0.5) {
    for (double T = 623.15; T <= 870.0; T += 1.0) {
      visit(p, T);
    }
  }
  for (double p = 19.0; p <= 25.0; p += 0.1) {
    for (double T = 623.15; T <= 680.0; T += 0.2) {
      visit(p, T);
    }
  }
  for (double p = 21.0; p <= 22.6; p += 0.01) {
    for (double T = 640.0; T <= 652.0; T += 0.04) {
      visit(p, T);
    }
  }
  for (double p = 21.9; p <= 22.11; p += 0.002) {
    // Centred on the saturation line and its continuation, the line 3ef.
    const double centre = p <= kCriticalPressure ? kSaturation.SaturationTemperature(p)
                                                 : 647.096 + 3.727888004 * (p - 22.064);
    for (double T = centre - 0.12; T <= centre + 0.12; T += 0.002) {
      visit(p, T);
    }
  }

  for (char letter = 'a'; letter <= 'z'; ++letter) {
    EXPECT_GE(worst[letter].points, 20) << "grid misses subregion " << letter;
  }
  for (const Group& group : kGroups) {
    Worst groupWorst;
    char where = '?';
    for (char letter = group.first; letter <= group.last; ++letter) {
      groupWorst.points += worst[letter].points;
      if (worst[letter].deviation >= groupWorst.deviation) {
        groupWorst.deviation = worst[letter].deviation;
        groupWorst.p = worst[letter].p;
        groupWorst.T = worst[letter].T;
        where = letter;
      }
    }
    EXPECT_LE(groupWorst.deviation, group.limit) << "subregions " << group.name;
    std::printf(
        "subregions %s: %d points, largest |v_start/v - 1| = %.3g (subregion %c, p = %.4f MPa, T = "
        "%.4f K)\n",
        group.name, groupWorst.points, groupWorst.deviation, where, groupWorst.p, groupWorst.T);
    RecordProperty(std::string("largest_deviation_") + group.name,
                   std::to_string(groupWorst.deviation));
  }
}

// Outside the validity range (623.15 K <= T <= T_B23(p), ps(623.15 K) < p <=
// 100 MPa) StartVolume still answers: close to the edge with the extrapolated
// subregion equation, further out with the volume at 5 K / 0.5 MPa beyond it.
TEST(region3_start_volume_test, start_volume_just_outside_the_validity_range) {
  struct Case {
    double p;
    double T;
  };
  const double lowest = kSaturation.SaturationPressure(623.15);
  const Case nearEdge[] = {
      {18.0, 622.15},          {25.0, 622.15},
      {50.0, 622.15},          {100.0, 622.15},  // below 623.15 K
      {17.0, 623.15 + 0.0},    {100.3, 650.0},
      {100.3, 750.0},          {100.3, 850.0},          // above 100 MPa
      {lowest - 0.02, 623.15}, {lowest - 0.02, 623.5},  // below ps(623.15 K)
  };
  for (const Case& c : nearEdge) {
    EXPECT_LE(StartVolumeDeviation(c.p, c.T), 1e-3) << "p = " << c.p << ", T = " << c.T;
  }
  for (const double p : {17.0, 20.0, 25.0, 50.0, 99.0}) {
    const double T = kSaturation.B23Temperature(p) + 1.0;  // just beyond the B23 line
    EXPECT_LE(StartVolumeDeviation(p, T), 1e-3) << "p = " << p << ", T = " << T;
  }
}

// Far outside, the start volume is finite and positive; below 30 MPa it is
// of the phase the selection names (liquid-like below the critical volume,
// vapour-like above it).
TEST(region3_start_volume_test, start_volume_far_outside_the_validity_range) {
  enum class Side { kLiquid, kVapour, kEither };
  struct Case {
    double p;
    double T;
    Side side;
  };
  const Case cases[] = {
      {30.0, 400.0, Side::kLiquid},    {30.0, 1000.0, Side::kVapour}, {1.0, 300.0, Side::kLiquid},
      {1.0, 700.0, Side::kVapour},     {12.0, 610.0, Side::kVapour},  {1e-9, 650.0, Side::kVapour},
      {1e-300, 1e-300, Side::kVapour}, {20.0, 1e300, Side::kVapour},  {200.0, 300.0, Side::kLiquid},
      {200.0, 2000.0, Side::kEither},  {1e300, 650.0, Side::kEither}, {60.0, 500.0, Side::kLiquid},
  };
  for (const Case& c : cases) {
    const double v = kRegion3.StartVolume(c.p, c.T);
    EXPECT_TRUE(std::isfinite(v) && v > 0.0) << "p = " << c.p << ", T = " << c.T << ": " << v;
    if (c.side == Side::kLiquid) {
      EXPECT_LT(v, 1.0 / kCriticalDensity) << "p = " << c.p << ", T = " << c.T;
    } else if (c.side == Side::kVapour) {
      EXPECT_GT(v, 1.0 / kCriticalDensity) << "p = " << c.p << ", T = " << c.T;
    }
  }
}

TEST(region3_start_volume_test, refuses_input_that_is_no_state) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const double cases[][2] = {{kNaN, 650.0},     {25.0, kNaN},   {kInfinity, 650.0},
                             {25.0, kInfinity}, {0.0, 650.0},   {25.0, 0.0},
                             {-25.0, 650.0},    {25.0, -650.0}, {-kInfinity, 650.0}};
  for (const auto& c : cases) {
    EXPECT_EQ(kRegion3.StartVolume(c[0], c[1]), kNotAvailable) << c[0] << ", " << c[1];
    EXPECT_EQ(kRegion3.StartVolumeSubregion(c[0], c[1]), '\0') << c[0] << ", " << c[1];
  }
  for (const char letter : {'\0', 'A', '`', '{', '3'}) {
    EXPECT_EQ(kRegion3.SubregionVolume(letter, 25.0, 650.0), kNotAvailable) << int{letter};
  }
  EXPECT_EQ(kRegion3.SubregionVolume('c', kNaN, 650.0), kNotAvailable);
}

}  // namespace
}  // namespace vaporix
