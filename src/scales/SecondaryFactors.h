// Test 46: primary factor conversion and the eight secondary personality factors.
#pragma once

#include "testing/SessionContext.h"

#include <optional>

// Positions of the sixteen primary factors in the factor table, counted from 1.
namespace PrimaryFactor {
enum : int { A = 1, B, C, E, F, G, H, I, L, M, N, O, Q1, Q2, Q3, Q4 };
}

struct SecondaryFactors {
    double X1 = 0; // adjustment versus anxiety
    double X2 = 0; // introversion versus extraversion
    double X3 = 0; // sensitivity versus tough poise
    double X4 = 0; // timidity versus decisiveness
    double Y1 = 0; // mental health
    double Y2 = 0; // professional achievement
    double Y3 = 0; // creativity
    double Y4 = 0; // growth in a new environment
};

// Every factor with items: sum := 5 x sum / count, rounded to one decimal. A factor without
// items keeps its sum (the scale is undefined for it; see missingPrimaryFactor).
void convertPrimaryFactors(FactorTable& factors);
// Why the secondary factors cannot be computed: fewer than sixteen factors, or a factor
// without items. nullopt when they can.
std::optional<QString> missingPrimaryFactor(const FactorTable& factors);
// From the converted sums of factors 1..16.
SecondaryFactors secondaryFactors(const FactorTable& factors);
// One sentence per secondary factor, X1 first, run together.
QString secondaryFactorConclusion(const SecondaryFactors& x);
