#pragma once
// Curves through a channel's points, evaluated one pixel column at a time:
// a cubic spline whose end slopes follow the first and last chords, one
// polynomial through every point (Neville) and one diagonal rational function
// through every point (Bulirsch–Stoer).

#include <vector>

class TiCubicSpline {
  public:
    // Throws "Splint Error - xa's must be distinct" when any two X are equal.
    TiCubicSpline(std::vector<double> X, std::vector<double> Y);
    double ValueAt(double X) const;

  private:
    std::vector<double> X_;
    std::vector<double> Y_;
    std::vector<double> SecondDerivatives_;
};

class TiPolynomialInterpolation {
  public:
    TiPolynomialInterpolation(std::vector<double> X, std::vector<double> Y);
    // Throws "Polynomial Interpolation Error - Pause in Routine Data" when two
    // points share an X.
    double ValueAt(double X);

  private:
    std::vector<double> X_;
    std::vector<double> Y_;
    std::vector<double> C_;  // Neville's tableau, reused from column to column
    std::vector<double> D_;
};

class TiRationalInterpolation {
  public:
    TiRationalInterpolation(std::vector<double> X, std::vector<double> Y);
    // Throws "Rational Interpolation Error - Pause in Routine Data" at a pole.
    double ValueAt(double X);

  private:
    std::vector<double> X_;
    std::vector<double> Y_;
    std::vector<double> C_;
    std::vector<double> D_;
};
