#include "vaporix/equations/Region2Equation.h"

#include <cmath>

#include "equations/FiniteState.h"
#include "equations/GibbsProperties.h"
#include "equations/PowerSeries.h"
#include "vaporix/Limits.h"

namespace vaporix {
namespace {

using detail::GibbsDerivatives;
using detail::IdealGasTerm;
using detail::kR;
using detail::PowerTerm;
using detail::QuarterPowerTerm;
using detail::ReducedGibbsState;

// IAPWS R7-97(2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 10 (9 terms).
constexpr std::array<IdealGasTerm, 9> kIdealGasTerms{{
    {0, -9.6927686500217},
    {1, 10.086655968018},
    {-5, -0.005608791128302},
    {-4, 0.071452738081455},
    {-3, -0.40710498223928},
    {-2, 1.4240819171444},
    {-1, -4.383951131945},
    {2, -0.28408632460772},
    {3, 0.021268463753307},
}};

// IAPWS R7-97(2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 11 (43 terms).
constexpr std::array<PowerTerm, 43> kResidualTerms{{
    {1, 0, -0.0017731742473213},    {1, 1, -0.017834862292358},     {1, 2, -0.045996013696365},
    {1, 3, -0.057581259083432},     {1, 6, -0.05032527872793},      {2, 1, -3.3032641670203e-05},
    {2, 2, -0.00018948987516315},   {2, 4, -0.0039392777243355},    {2, 7, -0.043797295650573},
    {2, 36, -2.6674547914087e-05},  {3, 0, 2.0481737692309e-08},    {3, 1, 4.3870667284435e-07},
    {3, 3, -3.227767723857e-05},    {3, 6, -0.0015033924542148},    {3, 35, -0.040668253562649},
    {4, 1, -7.8847309559367e-10},   {4, 2, 1.2790717852285e-08},    {4, 3, 4.8225372718507e-07},
    {5, 7, 2.2922076337661e-06},    {6, 3, -1.6714766451061e-11},   {6, 16, -0.0021171472321355},
    {6, 35, -23.895741934104},      {7, 0, -5.905956432427e-18},    {7, 11, -1.2621808899101e-06},
    {7, 25, -0.038946842435739},    {8, 8, 1.1256211360459e-11},    {8, 36, -8.2311340897998},
    {9, 13, 1.9809712802088e-08},   {10, 4, 1.0406965210174e-19},   {10, 10, -1.0234747095929e-13},
    {10, 14, -1.0018179379511e-09}, {16, 29, -8.0882908646985e-11}, {16, 50, 0.10693031879409},
    {18, 57, -0.33662250574171},    {20, 20, 8.9185845355421e-25},  {20, 35, 3.0629316876232e-13},
    {20, 48, -4.2002467698208e-06}, {21, 21, -5.9056029685639e-26}, {22, 53, 3.7826947613457e-06},
    {23, 39, -1.2768608934681e-15}, {24, 26, 7.3087610595061e-29},  {24, 40, 5.5414715350778e-17},
    {24, 58, -9.436970724121e-07},
}};

// IAPWS R7-97(2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 20 (34 terms).
constexpr std::array<PowerTerm, 34> kTemperaturePH2aTerms{{
    {0, 0, 1089.8952318288},     {0, 1, 849.51654495535},   {0, 2, -107.81748091826},
    {0, 3, 33.153654801263},     {0, 7, -7.4232016790248},  {0, 20, 11.765048724356},
    {1, 0, 1.844574935579},      {1, 1, -4.1792700549624},  {1, 2, 6.2478196935812},
    {1, 3, -17.344563108114},    {1, 7, -200.58176862096},  {1, 9, 271.96065473796},
    {1, 11, -455.11318285818},   {1, 18, 3091.9688604755},  {1, 44, 252266.40357872},
    {2, 0, -0.0061707422868339}, {2, 2, -0.31078046629583}, {2, 7, 11.670873077107},
    {2, 36, 128127984.04046},    {2, 38, -985549096.23276}, {2, 40, 2822454697.3002},
    {2, 42, -3594897141.0703},   {2, 44, 1722734991.3197},  {3, 24, -13551.334240775},
    {3, 44, 12848734.66465},     {4, 12, 1.3865724283226},  {4, 32, 235988.32556514},
    {4, 44, -13105236.545054},   {5, 32, 7399.9835474766},  {5, 36, -551966.9703006},
    {5, 42, 3715408.5996233},    {6, 34, 19127.72923966},   {6, 44, -415351.64835634},
    {7, 28, -62.459855192507},
}};

// IAPWS R7-97(2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 21 (38 terms).
constexpr std::array<PowerTerm, 38> kTemperaturePH2bTerms{{
    {0, 0, 1489.5041079516},       {0, 1, 743.07798314034},       {0, 2, -97.708318797837},
    {0, 12, 2.4742464705674},      {0, 18, -0.63281320016026},    {0, 24, 1.1385952129658},
    {0, 28, -0.47811863648625},    {0, 40, 0.0085208123431544},   {1, 0, 0.93747147377932},
    {1, 2, 3.3593118604916},       {1, 6, 3.3809355601454},       {1, 12, 0.16844539671904},
    {1, 18, 0.73875745236695},     {1, 24, -0.47128737436186},    {1, 28, 0.15020273139707},
    {1, 40, -0.002176411421975},   {2, 2, -0.021810755324761},    {2, 8, -0.10829784403677},
    {2, 18, -0.046333324635812},   {2, 40, 7.1280351959551e-05},  {3, 1, 0.00011032831789999},
    {3, 2, 0.00018955248387902},   {3, 12, 0.0030891541160537},   {3, 24, 0.0013555504554949},
    {4, 2, 2.8640237477456e-07},   {4, 12, -1.0779857357512e-05}, {4, 18, -7.6462712454814e-05},
    {4, 24, 1.4052392818316e-05},  {4, 28, -3.1083814331434e-05}, {4, 40, -1.0302738212103e-06},
    {5, 18, 2.821728163504e-07},   {5, 24, 1.2704902271945e-06},  {5, 40, 7.3803353468292e-08},
    {6, 28, -1.1030139238909e-08}, {7, 2, -8.1456365207833e-14},  {7, 28, -2.5180545682962e-11},
    {9, 1, -1.7565233969407e-18},  {9, 40, 8.6934156344163e-15},
}};

// IAPWS R7-97(2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 22 (23 terms).
constexpr std::array<PowerTerm, 23> kTemperaturePH2cTerms{{
    {-7, 0, -3236839855524.2},     {-7, 4, 7326335090218.1},      {-6, 0, 358250899454.47},
    {-6, 2, -583401318515.9},      {-5, 0, -10783068217.47},      {-5, 2, 20825544563.171},
    {-2, 0, 610747.83564516},      {-2, 1, 859777.2253558},       {-1, 0, -25745.72360417},
    {-1, 2, 31081.088422714},      {0, 0, 1208.2315865936},       {0, 1, 482.19755109255},
    {1, 4, 3.7966001272486},       {1, 8, -10.842984880077},      {2, 4, -0.04536417267666},
    {6, 0, 1.4559115658698e-13},   {6, 1, 1.126159740723e-12},    {6, 4, -1.7804982240686e-11},
    {6, 10, 1.2324579690832e-07},  {6, 12, -1.1606921130984e-06}, {6, 16, 2.7846367088554e-05},
    {6, 20, -0.00059270038474176}, {6, 22, 0.0012918582991878},
}};

// IAPWS R7-97(2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 25 (46 terms).
constexpr std::array<QuarterPowerTerm, 46> kTemperaturePS2aTerms{{
    {-1.5, -24, -392359.83861984},    {-1.5, -23, 515265.7382727},
    {-1.5, -19, 40482.443161048},     {-1.5, -13, -321.93790923902},
    {-1.5, -11, 96.961424218694},     {-1.5, -10, -22.867846371773},
    {-1.25, -19, -449429.14124357},   {-1.25, -15, -5011.8336020166},
    {-1.25, -6, 0.35684463560015},    {-1.0, -26, 44235.33584819},
    {-1.0, -21, -13673.388811708},    {-1.0, -17, 421632.60207864},
    {-1.0, -16, 22516.925837475},     {-1.0, -9, 474.42144865646},
    {-1.0, -8, -149.31130797647},     {-0.75, -15, -197811.26320452},
    {-0.75, -14, -23554.39947076},    {-0.5, -26, -19070.616302076},
    {-0.5, -13, 55375.669883164},     {-0.5, -9, 3829.3691437363},
    {-0.5, -7, -603.91860580567},     {-0.25, -27, 1936.3102620331},
    {-0.25, -25, 4266.064369861},     {-0.25, -11, -5978.0638872718},
    {-0.25, -6, -704.01463926862},    {0.25, 1, 338.36784107553},
    {0.25, 4, 20.862786635187},       {0.25, 8, 0.033834172656196},
    {0.25, 11, -4.3124428414893e-05}, {0.5, 0, 166.53791356412},
    {0.5, 1, -139.86292055898},       {0.5, 5, -0.78849547999872},
    {0.5, 6, 0.072132411753872},      {0.5, 10, -0.0059754839398283},
    {0.5, 14, -1.2141358953904e-05},  {0.5, 16, 2.3227096733871e-07},
    {0.75, 0, -10.538463566194},      {0.75, 4, 2.0718925496502},
    {0.75, 9, -0.072193155260427},    {0.75, 17, 2.074988708112e-07},
    {1.0, 7, -0.018340657911379},     {1.0, 18, 2.9036272348696e-07},
    {1.25, 3, 0.21037527893619},      {1.25, 15, 0.00025681239729999},
    {1.5, 5, -0.012799002933781},     {1.5, 18, -8.2198102652018e-06},
}};

// IAPWS R7-97(2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 26 (44 terms).
constexpr std::array<PowerTerm, 44> kTemperaturePS2bTerms{{
    {-6, 0, 316876.65083497},     {-6, 11, 20.864175881858},    {-5, 0, -398593.99803599},
    {-5, 11, -21.816058518877},   {-4, 0, 223697.85194242},     {-4, 1, -2784.1703445817},
    {-4, 11, 9.920743607148},     {-3, 0, -75197.512299157},    {-3, 1, 2970.8605951158},
    {-3, 11, -3.4406878548526},   {-3, 12, 0.38815564249115},   {-2, 0, 17511.29508575},
    {-2, 1, -1423.7112854449},    {-2, 6, 1.0943803364167},     {-2, 10, 0.89971619308495},
    {-1, 0, -3375.9740098958},    {-1, 1, 471.62885818355},     {-1, 5, -1.9188241993679},
    {-1, 8, 0.41078580492196},    {-1, 9, -0.33465378172097},   {0, 0, 1387.0034777505},
    {0, 1, -406.63326195838},     {0, 2, 41.72734715961},       {0, 4, 2.1932549434532},
    {0, 5, -1.0320050009077},     {0, 6, 0.35882943516703},     {0, 9, 0.0052511453726066},
    {1, 0, 12.838916450705},      {1, 1, -2.8642437219381},     {1, 2, 0.56912683664855},
    {1, 3, -0.099962954584931},   {1, 7, -0.0032632037778459},  {1, 8, 0.00023320922576723},
    {2, 0, -0.1533480985745},     {2, 1, 0.029072288239902},    {2, 5, 0.00037534702741167},
    {3, 0, 0.0017296691702411},   {3, 1, -0.00038556050844504}, {3, 3, -3.5017712292608e-05},
    {4, 0, -1.4566393631492e-05}, {4, 1, 5.6420857267269e-06},  {5, 0, 4.1286150074605e-08},
    {5, 1, -2.0684671118824e-08}, {5, 2, 1.6409393674725e-09},
}};

// IAPWS R7-97(2012), Revised Release on the IAPWS Industrial Formulation 1997, Table 27 (30 terms).
constexpr std::array<PowerTerm, 30> kTemperaturePS2cTerms{{
    {-2, 0, 909.68501005365},     {-2, 1, 2404.566708842},      {-1, 0, -591.6232638713},
    {0, 0, 541.45404128074},      {0, 1, -270.98308411192},     {0, 2, 979.76525097926},
    {0, 3, -469.66772959435},     {1, 0, 14.399274604723},      {1, 1, -19.104204230429},
    {1, 3, 5.3299167111971},      {1, 4, -21.252975375934},     {2, 0, -0.3114733441376},
    {2, 1, 0.60334840894623},     {2, 2, -0.042764839702509},   {3, 0, 0.0058185597255259},
    {3, 1, -0.014597008284753},   {3, 5, 0.0056631175631027},   {4, 0, -7.6155864584577e-05},
    {4, 1, 0.00022440342919332},  {4, 4, -1.2561095013413e-05}, {5, 0, 6.3323132660934e-07},
    {5, 1, -2.0541989675375e-06}, {5, 2, 3.6405370390082e-08},  {6, 0, -2.9759897789215e-09},
    {6, 1, 1.0136618529763e-08},  {7, 0, 5.9925719692351e-12},  {7, 1, -2.0677870105164e-11},
    {7, 3, -2.0874278181886e-11}, {7, 4, 1.0162166825089e-10},  {7, 5, -1.6429828281347e-10},
}};

// IAPWS SR2-01(2014), Revised Supplementary Release on Backward Equations p(h,s) for Regions 1 and
// 2, Table 6 (29 terms).
constexpr std::array<PowerTerm, 29> kPressureHS2aTerms{{
    {0, 1, -0.0182575361923032}, {0, 3, -0.125229548799536}, {0, 6, 0.592290437320145},
    {0, 16, 6.04769706185122},   {0, 20, 238.624965444474},  {0, 22, -298.639090222922},
    {1, 0, 0.051225081304075},   {1, 1, -0.437266515606486}, {1, 2, 0.413336902999504},
    {1, 3, -5.16468254574773},   {1, 5, -5.57014838445711},  {1, 6, 12.8555037824478},
    {1, 10, 11.414410895329},    {1, 16, -119.504225652714}, {1, 20, -2847.7798596156},
    {1, 22, 4317.57846408006},   {2, 3, 1.1289404080265},    {2, 16, 1974.09186206319},
    {2, 20, 1516.12444706087},   {3, 0, 0.0141324451421235}, {3, 2, 0.585501282219601},
    {3, 3, -2.97258075863012},   {3, 6, 5.94567314847319},   {3, 16, -6236.56565798905},
    {4, 16, 9659.86235133332},   {5, 3, 6.81500934948134},   {5, 16, -6332.07286824489},
    {6, 3, -5.5891922446576},    {7, 1, 0.0400645798472063},
}};

// IAPWS SR2-01(2014), Revised Supplementary Release on Backward Equations p(h,s) for Regions 1 and
// 2, Table 7 (33 terms).
constexpr std::array<PowerTerm, 33> kPressureHS2bTerms{{
    {0, 0, 0.0801496989929495}, {0, 1, -0.543862807146111}, {0, 2, 0.337455597421283},
    {0, 4, 8.9055545115745},    {0, 8, 313.840736431485},   {1, 0, 0.797367065977789},
    {1, 1, -1.2161697355624},   {1, 2, 8.72803386937477},   {1, 3, -16.9769781757602},
    {1, 5, -186.552827328416},  {1, 12, 95115.9274344237},  {2, 1, -18.9168510120494},
    {2, 6, -4334.0703719484},   {2, 18, 543212633.012715},  {3, 0, 0.144793408386013},
    {3, 1, 128.024559637516},   {3, 7, -67230.9534071268},  {3, 12, 33697238.0095287},
    {4, 1, -586.63419676272},   {4, 16, -22140322476.9889}, {5, 1, 1716.06668708389},
    {5, 12, -570817595.806302}, {6, 1, -3121.09693178482},  {6, 8, -2078413.8463301},
    {6, 18, 3056059461577.86},  {7, 1, 3221.57004314333},   {7, 16, 326810259797.295},
    {8, 1, -1441.04158934487},  {8, 3, 410.694867802691},   {8, 14, 109077066873.024},
    {8, 18, -24796465425889.3}, {12, 10, 1888019068.65134}, {14, 16, -123651009018773.0},
}};

// IAPWS SR2-01(2014), Revised Supplementary Release on Backward Equations p(h,s) for Regions 1 and
// 2, Table 8 (31 terms).
constexpr std::array<PowerTerm, 31> kPressureHS2cTerms{{
    {0, 0, 0.112225607199012},     {0, 1, -3.39005953606712},  {0, 2, -32.0503911730094},
    {0, 3, -197.5973051049},       {0, 4, -407.693861553446},  {0, 8, 13294.3775222331},
    {1, 0, 1.70846839774007},      {1, 2, 37.3694198142245},   {1, 5, 3581.44365815434},
    {1, 8, 423014.446424664},      {1, 14, -751071025.760063}, {2, 2, 52.3446127607898},
    {2, 3, -228.351290812417},     {2, 7, -960652.417056937},  {2, 10, -80705929.2526074},
    {2, 18, 1626980172256.69},     {3, 0, 0.772465073604171},  {3, 5, 46392.9973837746},
    {3, 8, -13731788.5134128},     {3, 16, 1704703926305.12},  {3, 18, -25110462818730.8},
    {4, 18, 31774883083552.0},     {5, 1, 53.8685623675312},   {5, 4, -55308.9094625169},
    {5, 6, -1028615.22421405},     {5, 14, 2042494187562.34},  {6, 8, 273918446.626977},
    {6, 18, -2639631463126850.0},  {10, 7, -1078908541.08088}, {12, 7, -29649262098.0124},
    {16, 10, -1117549073234240.0},
}};

constexpr double kReducingPressure = 1.0;       // MPa
constexpr double kReducingTemperature = 540.0;  // K

// The residual derivatives at pi and tau; tau = 0.5 (T = 1080 K) divides by zero.
GibbsDerivatives ResidualDerivatives(double pi, double tau) {
  const double y = tau - 0.5;
  return detail::SeriesDerivatives(detail::SumGibbsSeries<kResidualTerms>(pi, y), pi, y);
}

GibbsDerivatives Derivatives(double pi, double tau, const GibbsDerivatives& residual) {
  return detail::AddIdealGasPart(pi, tau, detail::SumIdealGasSeries<kIdealGasTerms>(tau), residual);
}

ReducedGibbsState Reduce(double p, double T) {
  ReducedGibbsState state;
  state.pi = p / kReducingPressure;
  state.tau = kReducingTemperature / T;
  state.g = Derivatives(state.pi, state.tau, ResidualDerivatives(state.pi, state.tau));
  return state;
}

// B2bc boundary between subregions 2b and 2c of the backward equations T(p,h).
double PressureB2bc(double h) {
  return 905.84278514723 - 0.67955786399241 * h + 0.00012809002730136 * h * h;
}

// Boundary h_2ab(s) between subregions 2a and 2b of the backward equations p(h,s).
double EnthalpyB2ab(double s) {
  return -3498.98083432139 + 2575.60716905876 * s - 421.073558227969 * s * s +
         27.6349063799944 * s * s * s;
}

// The 2b/2c isentrope of T(p,s) and p(h,s), kJ/(kg K).
constexpr double kEntropyB2bc = 5.85;

using SingleProperties = detail::GibbsSingleProperties<&Reduce, kReducingPressure,
                                                       kReducingTemperature / kReducingPressure>;

}  // namespace

bool Region2Equation::Evaluate(double p, double T, StateProperties& out) const {
  if (!std::isfinite(p) || !std::isfinite(T) || p == 0.0 || T == 0.0) {
    return false;
  }
  ReducedGibbsState state;
  state.pi = p / kReducingPressure;
  state.tau = kReducingTemperature / T;
  const double pi = state.pi;
  const double tau = state.tau;
  const GibbsDerivatives residual = ResidualDerivatives(pi, tau);
  state.g = Derivatives(pi, tau, residual);

  if (!detail::FormVolumeAndCaloricProperties(p, T, state, out)) {
    return false;
  }
  // These forms of cv and w avoid the cancellation between 1/pi and the residual part.
  const double m = 1.0 - pi * pi * residual.gammaPiPi;
  if (m == 0.0) {
    return false;
  }
  const double dd = 1.0 + pi * residual.gammaPi - tau * pi * residual.gammaPiTau;
  out.cv = out.cp - kR * dd * dd / m;

  if (out.cp == 0.0) {
    return false;
  }
  const double soundDenominator = m - kR * dd * dd / out.cp;
  if (soundDenominator == 0.0) {
    return false;
  }
  const double piGammaPi = pi * residual.gammaPi;
  out.w = std::sqrt(1000.0 * kR * T * (1.0 + 2.0 * piGammaPi + piGammaPi * piGammaPi) /
                    soundDenominator);

  const double pv = p * out.v * 1.0e6;
  if (pv == 0.0) {
    return false;
  }
  out.kapa = out.w * out.w / pv;

  detail::FormDerivedProperties(p, T, state, dd, pi * pi * residual.gammaPiPi - 1.0, 2, out);
  return detail::FormedPropertiesFinite(out);
}

double Region2Equation::EnthalpyPT(double* cp, double p, double T) const {
  return SingleProperties::EnthalpyPT(cp, p, T);
}

double Region2Equation::EntropyPT(double* cpOverT, double p, double T) const {
  return SingleProperties::EntropyPT(cpOverT, p, T);
}

double Region2Equation::InternalEnergyPT(double* dudT, double p, double T) const {
  return SingleProperties::InternalEnergyPT(dudT, p, T);
}

double Region2Equation::DensityPT(double* dvdTTimes1000, double p, double T) const {
  return SingleProperties::DensityPT(dvdTTimes1000, p, T);
}

double Region2Equation::EnthalpyTP(double* dhdp, double T, double p) const {
  return SingleProperties::EnthalpyTP(dhdp, T, p);
}

double Region2Equation::EntropyTP(double* dsdp, double T, double p) const {
  return SingleProperties::EntropyTP(dsdp, T, p);
}

double Region2Equation::InternalEnergyTP(double* dudp, double T, double p) const {
  return SingleProperties::InternalEnergyTP(dudp, T, p);
}

double Region2Equation::DensityTP(double* dvdpTimes1000, double T, double p) const {
  return SingleProperties::DensityTP(dvdpTimes1000, T, p);
}

double Region2Equation::VolumeInRange(double p, double T) const {
  if (!(T >= limits::kMinimumTemperature && T <= limits::kRegion2MaximumTemperature && p >= 0.0 &&
        p <= limits::kMaximumPressure)) {
    return kNotAvailable;
  }
  const ReducedGibbsState state = Reduce(p, T);
  const double v = kR * T * state.pi * state.g.gammaPi / (1000.0 * p);
  // At p = 0 the ideal-gas volume is infinite; never hand that out as a volume.
  return std::isfinite(v) ? v : kNotAvailable;
}

double Region2Equation::TemperaturePH(double p, double h) const {
  if (!std::isfinite(p) || !std::isfinite(h)) {
    return kNotAvailable;
  }
  const double eta = h * 0.0005;
  if (p < 4.0) {
    return detail::SumPowerSeries<kTemperaturePH2aTerms>(p, eta - 2.1);
  }
  // On the B2bc line itself 2b and 2c join continuously; 2b serves.
  if (p <= PressureB2bc(h)) {
    return detail::SumPowerSeries<kTemperaturePH2bTerms>(p - 2.0, eta - 2.6);
  }
  return detail::SumPowerSeries<kTemperaturePH2cTerms>(p + 25.0, eta - 1.8);
}

double Region2Equation::TemperaturePS(double p, double s) const {
  if (!std::isfinite(p) || !std::isfinite(s)) {
    return kNotAvailable;
  }
  if (p < 4.0) {
    return detail::SumQuarterPowerSeries<kTemperaturePS2aTerms>(p, s * 0.5 - 2.0);
  }
  if (s >= kEntropyB2bc) {
    return detail::SumPowerSeries<kTemperaturePS2bTerms>(p, 10.0 - s * 1.2733987011333248);
  }
  return detail::SumPowerSeries<kTemperaturePS2cTerms>(p, 2.0 - s * 0.34186865406310896);
}

double Region2Equation::PressureHS(double h, double s) const {
  if (!std::isfinite(h) || !std::isfinite(s)) {
    return kNotAvailable;
  }
  if (s < kEntropyB2bc) {
    const double sum =
        detail::SumPowerSeries<kPressureHS2cTerms>(h / 3500.0 - 0.7, s * 0.1694915254237288 - 1.1);
    return 100.0 * (sum * sum) * (sum * sum);
  }
  if (h <= EnthalpyB2ab(s)) {
    const double sum = detail::SumPowerSeries<kPressureHS2aTerms>(h * 0.0002380952380952381 - 0.5,
                                                                  s * 0.08333333333333333 - 1.2);
    return 4.0 * (sum * sum) * (sum * sum);
  }
  const double sum = detail::SumPowerSeries<kPressureHS2bTerms>(h * 0.00024390243902439024 - 0.6,
                                                                s * 0.12658227848101264 - 1.01);
  return 100.0 * (sum * sum) * (sum * sum);
}

}  // namespace vaporix
