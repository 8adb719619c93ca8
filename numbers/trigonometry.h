#pragma once
// Sine, cosine and tangent correct to the last digit near the multiples of π/2 on every system.
// Some C libraries (MinGW's, through the x87 instruction) reduce the angle with a 66-bit π and
// lose digits there: sin 3.14159265358979 came out as 3.23108510433268E-15, not
// 3.23108914886517E-15. The angle is reduced here with π/2 in three parts, as fdlibm does,
// and the library only sees what lies within π/4 of zero.
namespace numbers {

double sine(double radians);
double cosine(double radians);
double tangent(double radians);

}  // namespace numbers
