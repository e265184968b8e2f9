// Transmission-line transformers as a small nodal circuit.
#include "design/balun.h"

#include <array>
#include <cmath>

#include "design/magnetics.h"
#include "design/portable.h"

namespace design {

using Complex = std::complex<double>;

int balunLines(BalunKind kind, int ratio)
{
    return kind == BalunRuthroff ? 1 : ratio == 9 ? 3 : ratio == 4 ? 2 : 1;
}

bool balunConnects(BalunKind kind, int ratio, bool unun)
{
    if (kind == BalunRuthroff)
        return ratio == 4;
    return ratio == 4 || ratio == 9 || (ratio == 1 && !unun);
}

double bestLineOhms(double sourceOhms, double loadOhms)
{
    return std::sqrt(sourceOhms * loadOhms);
}

namespace {

// a b written out: the twins and the page agree to the bit.
Complex times(Complex a, Complex b)
{
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

double norm2(Complex z)
{
    return z.real() * z.real() + z.imag() * z.imag();
}

// The circuit's equations, A x = b: the node voltages (ground, node 0, is
// not an unknown) and then each line's three currents.
// At most: the input, four output terminals and a star point; three lines.
const int MostUnknowns = 6 + 3 * 3;

struct Network {
    int nodes = 1; // ground
    int lines[3] = {}; // the first unknown of each line's currents
    int size = 0;
    std::array<Complex, MostUnknowns * MostUnknowns> a{};
    std::array<Complex, MostUnknowns> b{};

    int node() { return nodes++; }
    void layout(int lineCount)
    {
        size = nodes - 1 + 3 * lineCount;
        for (int k = 0; k < lineCount; k++)
            lines[k] = nodes - 1 + 3 * k;
    }
    // Node n's unknown (-1: ground).
    static int v(int n) { return n - 1; }
    void add(int row, int col, Complex value)
    {
        if (row >= 0 && col >= 0)
            a[(size_t)row * size + col] += value;
    }
    void admittance(int p, int q, Complex y)
    {
        add(v(p), v(p), y), add(v(q), v(q), y), add(v(p), v(q), -y), add(v(q), v(p), -y);
    }
    // Gaussian elimination with partial pivoting; x in b.
    void solve()
    {
        for (int k = 0; k < size; k++) {
            int pivot = k;
            for (int i = k + 1; i < size; i++)
                if (norm2(a[(size_t)i * size + k]) > norm2(a[(size_t)pivot * size + k]))
                    pivot = i;
            if (pivot != k) {
                for (int j = 0; j < size; j++)
                    std::swap(a[(size_t)k * size + j], a[(size_t)pivot * size + j]);
                std::swap(b[(size_t)k], b[(size_t)pivot]);
            }
            const Complex diagonal = a[(size_t)k * size + k];
            for (int i = k + 1; i < size; i++) {
                Complex &first = a[(size_t)i * size + k];
                if (first == Complex())
                    continue;
                const Complex f = portableDivide(first, diagonal);
                for (int j = k; j < size; j++)
                    a[(size_t)i * size + j] -= times(f, a[(size_t)k * size + j]);
                b[(size_t)i] -= times(f, b[(size_t)k]);
            }
        }
        for (int k = size - 1; k >= 0; k--) {
            Complex sum = b[(size_t)k];
            for (int j = k + 1; j < size; j++)
                sum -= times(a[(size_t)k * size + j], b[(size_t)j]);
            b[(size_t)k] = portableDivide(sum, a[(size_t)k * size + k]);
        }
    }
    Complex voltage(int n) const { return n == 0 ? Complex() : b[(size_t)v(n)]; }
};

// One line's terminals: conductor a from a1 to a2, b from b1 to b2.
struct Line {
    int a1, b1, a2, b2;
};

} // namespace

BalunPoint balunResponse(const BalunCircuit &c, double hz, Complex zw)
{
    Network net;
    const int in = net.node();
    std::vector<Line> lines; // at most three
    lines.reserve(3);
    int high, low; // the output's terminals
    if (c.kind == BalunRuthroff) {
        // The bootstrap: the line's input across the port; as an unun its b
        // conductor's far end back to the input, the load from a's far end
        // to ground; as a balun a's far end to ground, the load from the
        // input to b's far end (2 V_in across it, balanced).
        if (c.unun) {
            high = net.node(), low = 0;
            lines.push_back({in, 0, high, in});
        } else {
            high = in, low = net.node();
            lines.push_back({in, 0, 0, low});
        }
    } else {
        // n lines, inputs in parallel, outputs in series from the top down;
        // an unun's bottom to ground.
        const int n = balunLines(c.kind, c.ratio);
        int out[4];
        for (int k = 0; k < n; k++)
            out[k] = net.node();
        out[n] = c.unun ? 0 : net.node();
        for (int k = 0; k < n; k++)
            lines.push_back({in, 0, out[k], out[k + 1]});
        high = out[0], low = out[n];
    }
    const int star = c.threeTerminal ? net.node() : 0;
    net.layout((int)lines.size());

    // The source: 1 V EMF behind R_s, as its Norton equivalent.
    const Complex gs(1 / c.sourceOhms, 0);
    net.admittance(in, 0, gs);
    net.b[(size_t)Network::v(in)] += gs;
    // The load's branches, each with the nodes it joins.
    struct Branch {
        int p, q;
        Complex y;
    };
    Branch loads[3];
    int loadCount = 0;
    if (c.threeTerminal) {
        loads[loadCount++] = {high, star, portableReciprocal(c.z1)};
        loads[loadCount++] = {low, star, portableReciprocal(c.z2)};
        loads[loadCount++] = {star, 0, portableReciprocal(c.z3)};
    } else if (c.centreGrounded) {
        const Complex y = portableReciprocal(c.load * 0.5);
        loads[loadCount++] = {high, 0, y};
        loads[loadCount++] = {0, low, y};
    } else
        loads[loadCount++] = {high, low, portableReciprocal(c.load)};
    for (int i = 0; i < loadCount; i++)
        net.admittance(loads[i].p, loads[i].q, loads[i].y);

    double cosine, sine;
    const double degrees = 360 * hz * c.lineMetres / (c.velocityFactor * LightMetresPerSecond);
    portableCosSinDegrees(degrees, &cosine, &sine);
    const Complex jz0sin(0, c.z0 * sine), jsinz0(0, sine / c.z0);
    // The sense each line is wound with on a shared core: in turn.
    auto sense = [&](size_t k) { return c.oneCore && k % 2 ? -1.0 : 1.0; };
    for (size_t k = 0; k < lines.size(); k++) {
        const Line &l = lines[k];
        const int ic = net.lines[k], id1 = ic + 1, id2 = ic + 2;
        // The currents into the line at its input end, I_c/2 + I_d1 on a and
        // I_c/2 - I_d1 on b, and out of it at the far end.
        const int a1 = Network::v(l.a1), b1 = Network::v(l.b1), a2 = Network::v(l.a2), b2 = Network::v(l.b2);
        net.add(a1, ic, 0.5), net.add(a1, id1, 1);
        net.add(b1, ic, 0.5), net.add(b1, id1, -1);
        net.add(a2, ic, -0.5), net.add(a2, id2, -1);
        net.add(b2, ic, -0.5), net.add(b2, id2, 1);
        // The differential mode: V_d1 = cos V_d2 + j Z0 sin I_d2 and
        // I_d1 = j sin / Z0 V_d2 + cos I_d2.
        net.add(ic, a1, 1), net.add(ic, b1, -1), net.add(ic, a2, -cosine), net.add(ic, b2, cosine);
        net.add(ic, id2, -jz0sin);
        net.add(id1, id1, 1), net.add(id1, a2, -jsinz0), net.add(id1, b2, jsinz0), net.add(id1, id2, -cosine);
        // The common mode: the mean voltage drops by the winding's share.
        net.add(id2, a1, 0.5), net.add(id2, b1, 0.5), net.add(id2, a2, -0.5), net.add(id2, b2, -0.5);
        for (size_t m = 0; m < lines.size(); m++)
            if (c.oneCore || m == k)
                net.add(id2, net.lines[m], -zw * (sense(k) * sense(m)));
    }
    net.solve();

    BalunPoint p;
    p.lineDegrees = degrees;
    const Complex vin = net.voltage(in);
    p.zin = portableDivide(vin, (Complex(1, 0) - vin) * (1 / c.sourceOhms));
    const double gamma = portableAbs(portableDivide(p.zin - c.sourceOhms, p.zin + c.sourceOhms));
    const double ln10 = portableLog(10.0);
    p.swr = gamma < 1 ? (1 + gamma) / (1 - gamma) : INFINITY;
    p.returnLossDb = gamma > 0 ? -20 * portableLog(gamma) / ln10 : INFINITY;
    double load = 0;
    for (int i = 0; i < loadCount; i++)
        load += norm2(net.voltage(loads[i].p) - net.voltage(loads[i].q)) * loads[i].y.real();
    const double available = 1 / (4 * c.sourceOhms);
    p.insertionLossDb = load > 0 ? -10 * portableLog(load / available) / ln10 : INFINITY;
    Complex shared;
    for (size_t k = 0; k < lines.size(); k++) {
        const Complex ic = net.b[(size_t)net.lines[k]];
        if (c.oneCore)
            shared += ic * sense(k);
        else
            p.windingVolts.push_back(times(zw, ic));
    }
    if (c.oneCore)
        p.windingVolts.push_back(times(zw, shared));
    for (const Line &l : lines)
        p.lineEnds.push_back({net.voltage(l.a1), net.voltage(l.b1), net.voltage(l.a2), net.voltage(l.b2)});
    p.high = portableDivide(net.voltage(high), vin);
    p.low = portableDivide(net.voltage(low), vin);
    p.commonModeRatioDb = 0;
    if (c.threeTerminal) {
        const Complex vs = net.voltage(star);
        const Complex i1 = times(net.voltage(high) - vs, loads[0].y), i2 = times(net.voltage(low) - vs, loads[1].y);
        const Complex i3 = times(vs, loads[2].y);
        p.commonModeRatioDb = 10 * portableLog(norm2(i3) / norm2((i1 - i2) * 0.5)) / ln10;
    }
    return p;
}

PairLine leffersonPair(double overallMm, double bareMm, double twistsPerCm, double permittivity)
{
    PairLine l;
    // theta = atan(T pi D), T per mm times D in mm.
    l.twistDegrees = portableAtan2(twistsPerCm / 10 * Pi * overallMm, 1) * 180 / Pi;
    const double q = 0.25 + 0.0004 * l.twistDegrees * l.twistDegrees;
    l.effectivePermittivity = 1 + q * (permittivity - 1);
    const double ratio = overallMm / bareMm;
    const double acosh = portableLog(ratio + std::sqrt(ratio * ratio - 1));
    l.z0 = 120 / std::sqrt(l.effectivePermittivity) * acosh;
    l.velocityFactor = 1 / std::sqrt(l.effectivePermittivity);
    return l;
}

} // namespace design
