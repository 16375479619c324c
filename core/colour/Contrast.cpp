// The contrast dialog's figures, all in integer arithmetic.
//
// The only irrational step, sRGB to linear, comes from a table of integers; after that every
// figure is a sum of integer products, compared or divided exactly. So no compiler flag, no C
// library's pow() and no floating-point state left behind by the system can change a ratio, a
// verdict or a simulated colour between the Linux build and the Windows program.

#include "Contrast.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Contrast {

namespace {

using TFixed = std::int64_t;

// The linear value of the sRGB value k/510, for k = 0..510, in units of 10^-12 and rounded to
// nearest: (k/510) / 12.92 up to k/510 = 0.04045, ((k/510 + 0.055) / 1.055)^2.4 above it. An
// even k is the 8-bit level k/2; an odd k is the half-level between two levels, where the
// nearest level changes on the way back. Worked out once with 60-digit decimal arithmetic:
// written out as integers the values are the same in every build.
constexpr TFixed kLinear[511] = {
    0, 151763492, 303526984, 455290475, 607053967, 758817459,
    910580951, 1062344442, 1214107934, 1365871426, 1517634918, 1669398410,
    1821161901, 1972925393, 2124688885, 2276452377, 2428215868, 2579979360,
    2731742852, 2883506344, 3035269835, 3188300904, 3346535764, 3509259350,
    3676507324, 3848314933, 4024717018, 4205748030, 4391442037, 4581832741,
    4776953481, 4976837250, 5181516702, 5391024160, 5605391624, 5824650784,
    6048833023, 6277969427, 6512090793, 6751227633, 6995410187, 7244668422,
    7499032043, 7758530499, 8023192985, 8293048455, 8568125618, 8848452952,
    9134058702, 9424970891, 9721217320, 10022825575, 10329823030, 10642236852,
    10960094006, 11283421259, 11612245180, 11946592149, 12286488357, 12631959813,
    12983032342, 13339731595, 13702083047, 14070112002, 14443843596, 14823302800,
    15208514423, 15599503114, 15996293366, 16398909516, 16807375753, 17221716113,
    17641954488, 18068114625, 18500220128, 18938294463, 19382360957, 19832442802,
    20288563057, 20750744649, 21219010376, 21693382909, 22173884793, 22660538450,
    23153366178, 23652390157, 24157632449, 24669114996, 25186859627, 25710888059,
    26241221895, 26777882627, 27320891639, 27870270208, 28426039504, 28988220594,
    29556834438, 30131901898, 30713443733, 31301480604, 31896033073, 32497121605,
    33104766571, 33718988245, 34339806809, 34967242353, 35601314875, 36242044285,
    36889450401, 37543552956, 38204371595, 38871925877, 39546235277, 40227319184,
    40915196907, 41609887671, 42311410621, 43019784821, 43735029257, 44457162835,
    45186204386, 45922172661, 46665086337, 47414964016, 48171824227, 48935685422,
    49706565984, 50484484222, 51269458374, 52061506608, 52860647023, 53666897648,
    54480276442, 55300801301, 56128490050, 56963360448, 57805430191, 58654716908,
    59511238163, 60375011458, 61246054232, 62124383859, 63010017653, 63902972867,
    64803266693, 65710916261, 66625938644, 67548350853, 68478169844, 69415412513,
    70360095697, 71312236178, 72271850682, 73238955878, 74213568380, 75195704746,
    76185381481, 77182615035, 78187421805, 79199818135, 80219820314, 81247444584,
    82282707130, 83325624088, 84376211544, 85434485532, 86500462037, 87574156993,
    88655586286, 89744765753, 90841711183, 91946438317, 93058962847, 94179300418,
    95307466631, 96443477037, 97587347142, 98739092407, 99898728247, 101066270032,
    102241733088, 103425132695, 104616484091, 105815802469, 107023102978, 108238400727,
    109461710778, 110693048155, 111932427837, 113179864762, 114435373827, 115698969888,
    116970667759, 118250482214, 119538427988, 120834519775, 122138772230, 123451199966,
    124771817561, 126100639551, 127437680436, 128782954675, 130136476690, 131498260868,
    132868321554, 134246673059, 135633329655, 137028305580, 138431615032, 139843272177,
    141263291140, 142691686015, 144128470858, 145573659690, 147027266498, 148489305232,
    149959789811, 151438734116, 152926151996, 154422057266, 155926463708, 157439385068,
    158960835061, 160490827368, 162029375639, 163576493489, 165132194502, 166696492229,
    168269400190, 169850931872, 171441100733, 173039920196, 174647403656, 176263564474,
    177888415984, 179521971485, 181164244250, 182815247518, 184474994500, 186143498378,
    187820772301, 189506829391, 191201682741, 192905345413, 194617830442, 196339150832,
    198069319560, 199808349574, 201556253794, 203313045112, 205078736390, 206853340465,
    208636870145, 210429338210, 212230757414, 214041140482, 215860500114, 217688848981,
    219526199729, 221372564977, 223227957317, 225092389315, 226965873510, 228848422417,
    230740048524, 232640764293, 234550582161, 236469514539, 238397573812, 240334772343,
    242281122466, 244236636492, 246201326708, 248175205375, 250158284730, 252150576986,
    254152094331, 256162848929, 258182852922, 260212118424, 262250657530, 264298482307,
    266355604803, 268422037038, 270497791013, 272582878703, 274677312060, 276781103016,
    278894263477, 281016805327, 283148740430, 285290080624, 287440837727, 289601023534,
    291770649818, 293949728329, 296138270798, 298336288932, 300543794416, 302760798914,
    304987314070, 307223351504, 309468922818, 311724039589, 313988713376, 316262955716,
    318546778125, 320840192099, 323143209113, 325455840621, 327778098057, 330109992834,
    332451536346, 334802739967, 337163615048, 339534172925, 341914424909, 344304382294,
    346704056355, 349113458346, 351532599500, 353961491035, 356400144146, 358848570009,
    361306779784, 363774784607, 366252595599, 368740223861, 371237680474, 373744976503,
    376262122991, 378789130965, 381326011433, 383872775383, 386429433787, 388995997598,
    391572477750, 394158885159, 396755230726, 399361525329, 401977779832, 404604005081,
    407240211902, 409886411105, 412542613484, 415208829812, 417885070848, 420571347332,
    423267669986, 425974049517, 428690496614, 431417021948, 434153636175, 436900349932,
    439657173841, 442424118506, 445201194516, 447988412442, 450785782838, 453593316244,
    456411023180, 459238914154, 462076999654, 464925290155, 467783796112, 470652527968,
    473531496148, 476420711061, 479320183101, 482229922645, 485149940056, 488080245680,
    491020849848, 493971762875, 496932995061, 499904556690, 502886458033, 505878709341,
    508881320855, 511894302797, 514917665377, 517951418786, 520995573204, 524050138795,
    527115125706, 530190544071, 533276404011, 536372715628, 539479489012, 542596734239,
    545724461370, 548862680450, 552011401512, 555170634572, 558340389634, 561520676687,
    564711505705, 567912886649, 571124829465, 574347344086, 577580440430, 580824128401,
    584078417891, 587343318776, 590618840919, 593904994170, 597201788364, 600509233323,
    603827338855, 607156114757, 610495570808, 613845716777, 617206562420, 620578117476,
    623960391675, 627353394731, 630757136346, 634171626209, 637596873994, 641032889365,
    644479681971, 647937261448, 651405637420, 654884819498, 658374817279, 661875640350,
    665387298282, 668909800636, 672443156958, 675987376783, 679542469633, 683108445018,
    686685312435, 690273081369, 693871761292, 697481361664, 701101891933, 704733361534,
    708375779892, 712029156416, 715693500506, 719368821550, 723055128922, 726752431985,
    730460740090, 734180062577, 737910408773, 741651787993, 745404209540, 749167682708,
    752942216776, 756727821013, 760524504675, 764332277009, 768151147248, 771981124613,
    775822218317, 779674437559, 783537791526, 787412289396, 791297940333, 795194753491,
    799102738014, 803021903034, 806952257669, 810893811031, 814846572216, 818810550313,
    822785754396, 826772193532, 830769876775, 834778813167, 838799011741, 842830481518,
    846873231510, 850927270715, 854992608124, 859069252715, 863157213454, 867256499300,
    871367119199, 875489082086, 879622396888, 883767072518, 887923117882, 892090541873,
    896269353374, 900459561259, 904661174391, 908874201622, 913098651793, 917334533738,
    921581856277, 925840628223, 930110858375, 934392555527, 938685728458, 942990385940,
    947306536733, 951634189589, 955973353249, 960324036444, 964686247894, 969059996312,
    973445290398, 977842138845, 982250550333, 986670533535, 991102097114, 995545249721,
    1000000000000
};

constexpr TFixed kLinearOne = kLinear[510];

// Level's bisection needs the table strictly rising.
constexpr bool TableRises() {
    for (int K = 1; K < 511; ++K)
        if (kLinear[K] <= kLinear[K - 1]) return false;
    return true;
}
static_assert(TableRises() && kLinearOne == 1000000000000, "the linear table is damaged");

// Luminances are sums of the weights 2126, 7152 and 722 (ten-thousandths) times linear
// values: units of 10^-16. The ratio adds 0.05 to both.
constexpr TFixed kLuminanceScale = 10000;
constexpr TFixed kLuminanceOne = kLuminanceScale * kLinearOne;
constexpr TFixed kFlare = kLuminanceOne / 20;

TFixed Linear(int Level) { return kLinear[2 * Level]; }

constexpr TFixed kWeights[3] = {2126, 7152, 722};

TFixed Luminance(TColor Color) {
    return kWeights[0] * Linear(RedOf(Color)) + kWeights[1] * Linear(GreenOf(Color)) +
           kWeights[2] * Linear(BlueOf(Color));
}

// The 8-bit level nearest to the linear value Value / (Scale * kLinearOne): the count of
// half-levels at or below it, found by bisection. Comparing Value with Scale times a
// half-level keeps it exact; a value below 0 gives 0 and one above 1 gives 255, which is the
// clipping the simulation wants. A value exactly on a half-level goes up.
int Level(TFixed Value, TFixed Scale) {
    int Low = 0, High = 255;
    while (Low < High) {
        const int Middle = (Low + High + 1) / 2;
        if (kLinear[2 * Middle - 1] * Scale <= Value)
            Low = Middle;
        else
            High = Middle - 1;
    }
    return Low;
}

// Numerator / Denominator, for 0 <= Numerator <= Denominator < 2^62, as the nearest double
// (ties to even). Long division in integers gives the 53 bits, so no rounding mode or x87
// precision can change the last one.
double Quotient(TFixed Numerator, TFixed Denominator) {
    if (Numerator <= 0 || Denominator <= 0) return 0;
    std::uint64_t Bits = static_cast<std::uint64_t>(Numerator / Denominator);
    TFixed Remainder = Numerator % Denominator;
    int Shift = 0;
    for (; Bits < (std::uint64_t(1) << 52); ++Shift) {
        Remainder *= 2;
        Bits *= 2;
        if (Remainder >= Denominator) {
            Remainder -= Denominator;
            Bits += 1;
        }
    }
    if (2 * Remainder > Denominator || (2 * Remainder == Denominator && Bits % 2 == 1)) ++Bits;
    return std::ldexp(static_cast<double>(Bits), -Shift);
}

// The matrices of Machado, Oliveira and Fernandes (2009) at severity 1, in millionths; each
// row gives one linear output channel (red, green, blue) from the linear red, green and blue.
// Every row sums to 1 within a millionth, so white stays white and greys stay grey.
constexpr TFixed kMillion = 1000000;
constexpr TFixed kDichromacy[3][3][3] = {
    {{152286, 1052583, -204868}, {114503, 786281, 99216}, {-3882, -48116, 1051998}},  // protan
    {{367322, 860646, -227968}, {280085, 672501, 47413}, {-11820, 42940, 968881}},    // deutan
    {{1255528, -76749, -178779}, {-78411, 930809, 147602}, {4733, 691367, 303900}},   // tritan
};

// A row's sum is at most 1.21 * 10^18 in units of 10^-18, well inside 64 bits.
TColor ThroughMatrix(TColor Color, const TFixed (&Matrix)[3][3]) {
    const TFixed In[3] = {Linear(RedOf(Color)), Linear(GreenOf(Color)), Linear(BlueOf(Color))};
    int Out[3];
    for (int Row = 0; Row < 3; ++Row)
        Out[Row] = Level(Matrix[Row][0] * In[0] + Matrix[Row][1] * In[1] + Matrix[Row][2] * In[2],
                         kMillion);
    return MakeColor(Out[0], Out[1], Out[2]);
}

}  // namespace

double RelativeLuminance(TColor Color) { return Quotient(Luminance(Color), kLuminanceOne); }

// Both sums are exact, so the integer division cuts the true quotient of the table's
// luminances: black on white is exactly 2100, never 2099.
int RatioHundredths(TColor Foreground, TColor Background) {
    const TFixed A = Luminance(Foreground) + kFlare;
    const TFixed B = Luminance(Background) + kFlare;
    return static_cast<int>(100 * std::max(A, B) / std::min(A, B));
}

TColor Overlay(TColor Foreground, TColor Background, int OpacityPercent) {
    const int P = std::clamp(OpacityPercent, 0, 100);
    const auto Mix = [P](int F, int B) { return (B * (100 - P) + F * P + 50) / 100; };
    return MakeColor(Mix(RedOf(Foreground), RedOf(Background)),
                     Mix(GreenOf(Foreground), GreenOf(Background)),
                     Mix(BlueOf(Foreground), BlueOf(Background)));
}

std::string RatioText(int Hundredths) {
    const long long Magnitude = Hundredths < 0 ? -static_cast<long long>(Hundredths) : Hundredths;
    std::string Text = Hundredths < 0 ? "-" : "";
    Text += std::to_string(Magnitude / 100) + '.';
    Text += static_cast<char>('0' + Magnitude % 100 / 10);
    Text += static_cast<char>('0' + Magnitude % 10);
    return Text + ":1";
}

std::int64_t LinearOf(int HalfLevel) { return kLinear[std::clamp(HalfLevel, 0, 510)]; }

// Achromatopsia's grey is Level(luminance, 10^4); the weights times 100 in every row give
// 100 times that luminance, which Level(.., 10^6) rounds to the same grey.
void VisionMatrix(TVision Vision, std::int64_t (&Matrix)[3][3]) {
    const int Kind = static_cast<int>(Vision) - static_cast<int>(TVision::Protanopia);
    for (int Row = 0; Row < 3; ++Row)
        for (int Column = 0; Column < 3; ++Column) {
            TFixed Value = Row == Column ? kMillion : 0;
            if (Vision == TVision::Achromatopsia)
                Value = 100 * kWeights[Column];
            else if (Kind >= 0 && Kind < 3)
                Value = kDichromacy[Kind][Row][Column];
            Matrix[Row][Column] = Value;
        }
}

TColor Simulate(TColor Color, TVision Vision) {
    switch (Vision) {
    case TVision::Protanopia: return ThroughMatrix(Color, kDichromacy[0]);
    case TVision::Deuteranopia: return ThroughMatrix(Color, kDichromacy[1]);
    case TVision::Tritanopia: return ThroughMatrix(Color, kDichromacy[2]);
    case TVision::Achromatopsia: {
        const int Grey = Level(Luminance(Color), kLuminanceScale);
        return MakeColor(Grey, Grey, Grey);
    }
    case TVision::Normal: break;
    }
    return MakeColor(RedOf(Color), GreenOf(Color), BlueOf(Color));
}

}  // namespace Contrast
