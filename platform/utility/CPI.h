// The circle constant for angle conversions (degrees × m_dPI / 180).
#pragma once

// Not exported: the class has nothing out of line, and an inline constant
// lives in every module that uses it instead of being imported data.
class CPI {
 public:
  static constexpr double m_dPI = 3.14159265358979323846;
};
