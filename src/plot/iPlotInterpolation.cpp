#include "plot/iPlotInterpolation.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace {

const char* const SplineError = "Splint Error - xa's must be distinct";
const char* const PolynomialError = "Polynomial Interpolation Error - Pause in Routine Data";
const char* const RationalError = "Rational Interpolation Error - Pause in Routine Data";

// Second derivatives of the spline through (X, Y) with the given end slopes.
std::vector<double> SplineSecondDerivatives(const std::vector<double>& X,
                                            const std::vector<double>& Y, double StartSlope,
                                            double EndSlope) {
    const std::size_t n = X.size();
    std::vector<double> y2(n, 0.0);
    std::vector<double> u(n, 0.0);
    // A slope beyond this stands for "unknown": that end becomes natural.
    constexpr double NaturalEnd = 0.99e30;
    if (StartSlope <= NaturalEnd) {
        y2[0] = -0.5;
        u[0] = (3.0 / (X[1] - X[0])) * ((Y[1] - Y[0]) / (X[1] - X[0]) - StartSlope);
    }
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double sig = (X[i] - X[i - 1]) / (X[i + 1] - X[i - 1]);
        const double p = sig * y2[i - 1] + 2.0;
        y2[i] = (sig - 1.0) / p;
        const double slopeChange =
            (Y[i + 1] - Y[i]) / (X[i + 1] - X[i]) - (Y[i] - Y[i - 1]) / (X[i] - X[i - 1]);
        u[i] = (6.0 * slopeChange / (X[i + 1] - X[i - 1]) - sig * u[i - 1]) / p;
    }
    double qn = 0.0;
    double un = 0.0;
    if (EndSlope <= NaturalEnd) {
        const double h = X[n - 1] - X[n - 2];
        qn = 0.5;
        un = (3.0 / h) * (EndSlope - (Y[n - 1] - Y[n - 2]) / h);
    }
    y2[n - 1] = (un - qn * u[n - 2]) / (qn * y2[n - 2] + 1.0);
    for (std::size_t k = n - 1; k-- > 0;)
        y2[k] = y2[k] * y2[k + 1] + u[k];
    return y2;
}

// Any two equal values, not only neighbours: with unsorted X the bisection
// could land on an interval of zero width. Sorted X, the usual case, is
// answered without sorting.
bool HasEqualValues(const std::vector<double>& values) {
    const bool ascending =
        std::adjacent_find(values.begin(), values.end(), std::greater_equal<>()) == values.end();
    const bool descending =
        std::adjacent_find(values.begin(), values.end(), std::less_equal<>()) == values.end();
    if (ascending || descending)
        return false;
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    return std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end();
}

}  // namespace

TiCubicSpline::TiCubicSpline(std::vector<double> X, std::vector<double> Y)
    : X_(std::move(X)), Y_(std::move(Y)) {
    if (X_.size() < 2 || X_.size() != Y_.size())
        throw std::invalid_argument("a spline needs two points or more");
    if (HasEqualValues(X_))
        throw std::runtime_error(SplineError);
    // Bisection below wants ascending X; a descending channel is the same curve.
    if (X_.front() > X_.back()) {
        std::reverse(X_.begin(), X_.end());
        std::reverse(Y_.begin(), Y_.end());
    }
    const std::size_t n = X_.size();
    const double startSlope = (Y_[1] - Y_[0]) / (X_[1] - X_[0]);
    const double endSlope = (Y_[n - 1] - Y_[n - 2]) / (X_[n - 1] - X_[n - 2]);
    SecondDerivatives_ = SplineSecondDerivatives(X_, Y_, startSlope, endSlope);
}

double TiCubicSpline::ValueAt(double X) const {
    std::size_t low = 0;
    std::size_t high = X_.size() - 1;
    while (high - low > 1) {
        const std::size_t mid = (high + low) / 2;
        if (X_[mid] > X)
            high = mid;
        else
            low = mid;
    }
    const double h = X_[high] - X_[low];
    if (h == 0.0)
        throw std::runtime_error(SplineError);
    const double a = (X_[high] - X) / h;
    const double b = (X - X_[low]) / h;
    return a * Y_[low] + b * Y_[high] +
           ((a * a * a - a) * SecondDerivatives_[low] +
            (b * b * b - b) * SecondDerivatives_[high]) *
               (h * h) / 6.0;
}

TiPolynomialInterpolation::TiPolynomialInterpolation(std::vector<double> X, std::vector<double> Y)
    : X_(std::move(X)), Y_(std::move(Y)), C_(X_.size()), D_(X_.size()) {}

double TiPolynomialInterpolation::ValueAt(double X) {
    const int n = static_cast<int>(X_.size());
    int nearest = 0;
    double nearestDistance = std::fabs(X - X_[0]);
    for (int i = 0; i < n; ++i) {
        const double distance = std::fabs(X - X_[i]);
        if (distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
        C_[i] = Y_[i];
        D_[i] = Y_[i];
    }
    double y = Y_[nearest--];
    for (int m = 1; m < n; ++m) {
        for (int i = 0; i < n - m; ++i) {
            const double ho = X_[i] - X;
            const double hp = X_[i + m] - X;
            const double den = ho - hp;
            if (den == 0.0)
                throw std::runtime_error(PolynomialError);
            const double w = (C_[i + 1] - D_[i]) / den;
            D_[i] = hp * w;
            C_[i] = ho * w;
        }
        y += 2 * (nearest + 1) < n - m ? C_[nearest + 1] : D_[nearest--];
    }
    return y;
}

TiRationalInterpolation::TiRationalInterpolation(std::vector<double> X, std::vector<double> Y)
    : X_(std::move(X)), Y_(std::move(Y)), C_(X_.size()), D_(X_.size()) {}

double TiRationalInterpolation::ValueAt(double X) {
    constexpr double Tiny = 1e-25;  // keeps a zero numerator from becoming a zero denominator
    const int n = static_cast<int>(X_.size());
    int nearest = 0;
    double nearestDistance = std::fabs(X - X_[0]);
    for (int i = 0; i < n; ++i) {
        const double distance = std::fabs(X - X_[i]);
        if (distance == 0.0)
            return Y_[i];
        if (distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
        C_[i] = Y_[i];
        D_[i] = Y_[i] + Tiny;
    }
    double y = Y_[nearest--];
    for (int m = 1; m < n; ++m) {
        for (int i = 0; i < n - m; ++i) {
            const double w = C_[i + 1] - D_[i];
            const double h = X_[i + m] - X;
            const double t = (X_[i] - X) * D_[i] / h;
            double dd = t - C_[i + 1];
            if (dd == 0.0)
                throw std::runtime_error(RationalError);
            dd = w / dd;
            D_[i] = C_[i + 1] * dd;
            C_[i] = t * dd;
        }
        y += 2 * (nearest + 1) < n - m ? C_[nearest + 1] : D_[nearest--];
    }
    return y;
}
