// Points and angles: distances, directions, intersections, angles as text and back, and
// conversions between units.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "builtins.h"

namespace lisp {

std::vector<double> point(const Value& v)
{
    std::vector<double> p;
    Value q = v;
    for (; q && q->type == Type::Cons && p.size() < 4; q = q->cdr) {
        if (!isNumber(q->car))
            break;
        p.push_back(toDouble(q->car));
    }
    if (q || p.size() < 2 || p.size() > 3)
        badType("2D/3D point:", v);
    return p;
}

Value makePoint(const std::vector<double>& p)
{
    std::vector<Value> items;
    for (double c : p)
        items.push_back(makeReal(c));
    return listFrom(items);
}

double normalAngle(double a)
{
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}

namespace {

// Degrees as degrees, minutes and seconds; precision 0 whole degrees, 1-2 minutes, 3-4
// seconds, more decimals of the seconds.
std::string dms(double degrees, int prec)
{
    int parts = prec == 0 ? 1 : prec <= 2 ? 2 : 3;
    int decimals = prec > 4 ? prec - 4 : 0;
    double unit = parts == 1 ? 1 : parts == 2 ? 1.0 / 60 : 1.0 / 3600 / std::pow(10, decimals);
    double steps = std::round(degrees / unit);
    double total = steps * unit;
    long d = static_cast<long>(total + 1e-9);
    std::string s = std::to_string(d) + "d";
    if (parts >= 2) {
        double rest = (total - d) * 60;
        long m = static_cast<long>(rest + 1e-9);
        s += std::to_string(m) + "'";
        if (parts == 3) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.*f\"", decimals, std::fabs((rest - m) * 60));
            s += buf;
        }
    }
    return s;
}

// Bearings are spaced (N 45d E) unless TIGHT (UNITMODE 1: N45dE); decimal degrees, grads
// and radians keep or drop their zeros as DIMZIN says.
std::string angleText(double a, int unit, int prec, bool tight, int dimzin)
{
    double degrees = a * 180 / kPi;
    switch (unit) {
    case 0: return withoutZeros(fixedText(degrees, prec), dimzin);
    case 1: return dms(degrees, prec);
    case 2: return withoutZeros(fixedText(a * 200 / kPi, prec), dimzin) + "g";
    case 3: return withoutZeros(fixedText(a, prec), dimzin) + "r";
    default: {  // a bearing: from north or south, toward east or west
        const char* quarter[] = {"E", "N", "W", "S"};
        for (int k = 0; k < 4; ++k)
            if (std::fabs(degrees - 90 * k) < 1e-9)
                return quarter[k];
        bool north = degrees < 180;
        double from = north ? 90 : 270;
        bool east = north ? degrees < 90 : degrees > 270;
        const char* gap = tight ? "" : " ";
        return (north ? "N" : "S") + (gap + dms(std::fabs(degrees - from), prec)) + gap + (east ? "E" : "W");
    }
    }
}

}  // namespace

// Text in any of angtos's forms.
bool angleValue(const std::string& text, int unit, double& out)
{
    const char* p = text.c_str();
    auto skip = [&] {
        while (*p == ' ')
            ++p;
    };
    auto number = [&](double& v) {
        const char* end;
        v = decimal(p, &end);
        bool read = end != p;
        p = end;
        return read;
    };
    skip();
    char first = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    if (first == 'N' || first == 'S' || first == 'E' || first == 'W') {
        ++p;
        skip();
        double bearing = 0;
        if (*p && (first == 'N' || first == 'S')) {
            if (!angleValue(std::string(p, std::strcspn(p, "EeWw")), 1, bearing))
                return false;
            p += std::strcspn(p, "EeWw");
            if (!*p)  // "N 45d": no side to turn toward
                return false;
            char side = static_cast<char>(std::toupper(static_cast<unsigned char>(*p++)));
            bool east = side == 'E';
            double base = first == 'N' ? kPi / 2 : 3 * kPi / 2;
            out = base + ((first == 'N') == east ? -bearing : bearing);
        } else {
            out = first == 'E' ? 0 : first == 'N' ? kPi / 2 : first == 'W' ? kPi : 3 * kPi / 2;
        }
        skip();
        return *p == '\0';
    }
    double v;
    if (!number(v))
        return false;
    if (*p == 'd' || *p == 'D') {  // degrees, minutes, seconds
        double m = 0, s = 0;
        ++p;
        if (*p && number(m) && *p++ != '\'')
            return false;
        if (*p && number(s) && *p++ != '"')
            return false;
        double sign = v < 0 || text.find('-') != std::string::npos ? -1 : 1;
        out = sign * (std::fabs(v) + m / 60 + s / 3600) * kPi / 180;
    } else if (*p == 'g' || *p == 'G') {
        ++p;
        out = v * kPi / 200;
    } else if (*p == 'r' || *p == 'R') {
        ++p;
        out = v;
    } else {
        out = unit == 2 ? v * kPi / 200 : unit == 3 ? v : v * kPi / 180;
    }
    skip();
    return *p == '\0';
}

namespace {

// The units cvunit knows, each a factor to metres or radians; sq and cu square and cube
// a length.
struct Unit {
    const char* names;  // space-separated
    char kind;          // L length, A angle
    double factor;
};
const Unit kUnits[] = {
    {"inch inches in", 'L', 0.0254},        {"foot feet ft", 'L', 0.3048},
    {"yard yards yd", 'L', 0.9144},         {"mile miles mi", 'L', 1609.344},
    {"millimeter millimeters millimetre millimetres mm", 'L', 0.001},
    {"centimeter centimeters centimetre centimetres cm", 'L', 0.01},
    {"decimeter decimeters decimetre decimetres dm", 'L', 0.1},
    {"meter meters metre metres m", 'L', 1},
    {"kilometer kilometers kilometre kilometres km", 'L', 1000},
    {"radian radians rad", 'A', 1},         {"degree degrees deg", 'A', kPi / 180},
    {"grad grads gradian gradians", 'A', kPi / 200}, {"circle circles revolution revolutions", 'A', 2 * kPi},
};

bool unitOf(std::string name, char& kind, double& factor)
{
    for (char& ch : name)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    int power = 1;
    for (const char* prefix : {"sq ", "square ", "cu ", "cubic "})
        if (name.compare(0, std::strlen(prefix), prefix) == 0) {
            power = prefix[1] == 'q' ? 2 : 3;
            name.erase(0, std::strlen(prefix));
        }
    for (const Unit& u : kUnits) {
        std::string names = std::string(" ") + u.names + " ";
        if (names.find(" " + name + " ") == std::string::npos)
            continue;
        if (power > 1 && u.kind != 'L')
            return false;
        kind = static_cast<char>(u.kind + power);  // a length squared is no length
        factor = std::pow(u.factor, power);
        return true;
    }
    return false;
}

// A coordinate system of trans, by its axes in world terms: the world itself for the codes
// 0 to 3 (here the user system is the world's, the view looks down on its plan and model
// space is the only space), else the system of an object whose extrusion direction is given,
// its X axis found by the arbitrary axis algorithm.
struct Frame {
    bool world = true;
    double axes[3][3] = {};
};

Frame frameOf(const Value& v)
{
    Frame f;
    if (v && v->type == Type::Int) {
        if (v->i < 0 || v->i > 3)
            badValue(v);
        return f;
    }
    if (!v || v->type != Type::Cons)
        badValue(v);
    std::vector<double> n = point(v);
    double length = n.size() == 3 ? std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) : 0;
    if (length == 0)
        badValue(v);
    double* z = f.axes[2];
    for (int k = 0; k < 3; ++k)
        z[k] = n[static_cast<size_t>(k)] / length;
    // Near the world's Z axis the X axis is the world's Y axis across Z, else Z across it.
    double* x = f.axes[0];
    if (std::fabs(z[0]) < 1.0 / 64 && std::fabs(z[1]) < 1.0 / 64)
        x[0] = z[2], x[1] = 0, x[2] = -z[0];
    else
        x[0] = -z[1], x[1] = z[0], x[2] = 0;
    double xl = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
    for (int k = 0; k < 3; ++k)
        x[k] /= xl;
    double* y = f.axes[1];
    y[0] = z[1] * x[2] - z[2] * x[1], y[1] = z[2] * x[0] - z[0] * x[2], y[2] = z[0] * x[1] - z[1] * x[0];
    f.world = false;
    return f;
}

// (trans PT FROM TO [DISP]): a 2D point takes the Z of FROM's plane (the elevation in the
// user and display systems, 0 in the world's and an object's), a displacement Z 0; the
// result is always 3D.
Value trans(Interp& in, Args& a)
{
    needCount(a, 3, 4);
    std::vector<double> p = point(a[0]);
    Frame from = frameOf(a[1]), to = frameOf(a[2]);
    bool displacement = a.size() == 4 && !isNil(a[3]);
    if (p.size() == 2) {
        bool elevated = !displacement && a[1]->type == Type::Int && a[1]->i != 0;
        p.push_back(elevated ? systemReal(in, "ELEVATION", 0) : 0);
    }
    double world[3] = {p[0], p[1], p[2]};
    if (!from.world)
        for (int k = 0; k < 3; ++k)
            world[k] = p[0] * from.axes[0][k] + p[1] * from.axes[1][k] + p[2] * from.axes[2][k];
    if (to.world)
        return makePoint({world[0], world[1], world[2]});
    std::vector<double> out(3);
    for (int j = 0; j < 3; ++j)
        out[static_cast<size_t>(j)] = world[0] * to.axes[j][0] + world[1] * to.axes[j][1] + world[2] * to.axes[j][2];
    return makePoint(out);
}

const Reg kGeometry[] = {
    {"TRANS", trans},
    {"DISTANCE",  // in the plane when either point is 2D
     [](Interp&, Args& a) {
         needCount(a, 2, 2);
         std::vector<double> p = point(a[0]), q = point(a[1]);
         double dz = p.size() == 3 && q.size() == 3 ? q[2] - p[2] : 0;
         return makeReal(std::sqrt((q[0] - p[0]) * (q[0] - p[0]) + (q[1] - p[1]) * (q[1] - p[1]) + dz * dz));
     }},
    {"ANGLE",  // in the plane, from 0 to 2 pi
     [](Interp&, Args& a) {
         needCount(a, 2, 2);
         std::vector<double> p = point(a[0]), q = point(a[1]);
         return makeReal(normalAngle(std::atan2(q[1] - p[1], q[0] - p[0])));
     }},
    {"POLAR",
     [](Interp&, Args& a) {
         needCount(a, 3, 3);
         std::vector<double> p = point(a[0]);
         double angle = number(a[1]), d = number(a[2]);
         p[0] += d * std::cos(angle);
         p[1] += d * std::sin(angle);
         return makePoint(p);
     }},
    {"INTERS",  // (inters P1 P2 P3 P4 [ON-SEGMENTS]): in 3D when all four points are 3D
     [](Interp&, Args& a) -> Value {
         needCount(a, 4, 5);
         std::vector<double> p[4];
         bool all3d = true;
         for (int k = 0; k < 4; ++k) {
             p[k] = point(a[static_cast<size_t>(k)]);
             all3d = all3d && p[k].size() == 3;
         }
         bool onSegments = a.size() < 5 || !isNil(a[4]);
         size_t n = all3d ? 3 : 2;
         double d1[3] = {}, d2[3] = {}, w[3] = {};
         for (size_t k = 0; k < n; ++k) {
             d1[k] = p[1][k] - p[0][k];
             d2[k] = p[3][k] - p[2][k];
             w[k] = p[2][k] - p[0][k];
         }
         // The nearest points of the two lines; they must meet.
         auto dot = [n](const double* x, const double* y) {
             double s = 0;
             for (size_t k = 0; k < n; ++k)
                 s += x[k] * y[k];
             return s;
         };
         double aa = dot(d1, d1), bb = dot(d1, d2), cc = dot(d2, d2), dd = dot(d1, w), ee = dot(d2, w);
         double den = aa * cc - bb * bb;
         if (aa == 0 || cc == 0 || std::fabs(den) <= 1e-12 * aa * cc)
             return nullptr;
         double t = (dd * cc - bb * ee) / den, s = (bb * dd - aa * ee) / den;
         std::vector<double> at(n), other(n);
         double gap = 0;
         for (size_t k = 0; k < n; ++k) {
             at[k] = p[0][k] + t * d1[k];
             other[k] = p[2][k] + s * d2[k];
             gap += (at[k] - other[k]) * (at[k] - other[k]);
         }
         if (gap > 1e-20 * (aa + cc))
             return nullptr;
         const double eps = 1e-10;
         if (onSegments && (t < -eps || t > 1 + eps || s < -eps || s > 1 + eps))
             return nullptr;
         return makePoint(at);
     }},
    {"ANGTOS",  // (angtos ANGLE [UNIT [PRECISION]]): AUNITS and AUPREC by default; UNITMODE, DIMZIN
     [](Interp& in, Args& a) -> Value {
         needCount(a, 1, 3);
         double angle = normalAngle(number(a[0]));
         int32_t unit = a.size() >= 2 && !isNil(a[1]) ? integer(a[1]) : systemInt(in, "AUNITS", 0);
         int32_t prec = a.size() == 3 && !isNil(a[2]) ? integer(a[2]) : systemInt(in, "AUPREC", 0);
         if (unit < 0 || unit > 4 || prec < 0 || prec > 8)
             return nullptr;
         return makeStr(angleText(angle, unit, prec, unit == 4 && systemInt(in, "UNITMODE", 0) == 1,
                                  systemInt(in, "DIMZIN", 0)));
     }},
    {"ANGTOF",  // (angtof TEXT [UNIT]): radians, nil for text that is no angle
     [](Interp& in, Args& a) -> Value {
         needCount(a, 1, 2);
         int32_t unit = a.size() == 2 && !isNil(a[1]) ? integer(a[1]) : systemInt(in, "AUNITS", 0);
         if (unit < 0 || unit > 4)
             return nullptr;
         double v;
         return angleValue(str(a[0]), unit, v) ? makeReal(normalAngle(v)) : nullptr;
     }},
    {"CVUNIT",  // (cvunit VALUE FROM TO): a number or a point; nil for unknown or unlike units
     [](Interp&, Args& a) -> Value {
         needCount(a, 3, 3);
         char from, to;
         double f1, f2;
         if (!unitOf(str(a[1]), from, f1) || !unitOf(str(a[2]), to, f2) || from != to)
             return nullptr;
         if (a[0] && a[0]->type == Type::Cons) {
             std::vector<double> p = point(a[0]);
             for (double& c : p)
                 c = c * f1 / f2;
             return makePoint(p);
         }
         return makeReal(number(a[0]) * f1 / f2);
     }},
};

}  // namespace

Family geometryBuiltins() { return family(kGeometry); }

}  // namespace lisp
