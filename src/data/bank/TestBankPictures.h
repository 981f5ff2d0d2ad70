// Figure pictures of the picture-matrix tests, drawn by the bank compiler from a short description.
#pragma once

#include <QByteArray>
#include <QString>

// A matrix puzzle: an n x n grid of figures whose last cell is missing, and a row of numbered
// candidate pieces under it. The description names the grid size and, for each attribute of a
// figure (shape, fill, count, size), how it changes across the grid:
//   "matrix 3x3 shape=row fill=col count=diag size=const seed=12"
// const = the same everywhere, row = changes from row to row, col = from column to column,
// diag = (row + column) decides (every row and column holds each value once).
// Attributes that are not named stay const; seed varies the values and distractors.
struct MatrixFigure {
    int size = 3;                // 2 or 3
    int rules[4] = {0, 0, 0, 0}; // per attribute: 0 const, 1 row, 2 col, 3 diag
    int seed = 0;
};

// Parses a description; returns false with a Chinese reason.
bool parseMatrixFigure(const QString& text, MatrixFigure* figure, QString* error);

// Draws the puzzle with the correct piece at candidate position `answer` (1..candidates) and
// returns it as a PNG file image (8-bit grey). Same input, same bytes. Needs no GUI application:
// it draws shapes and strokes only, never text.
QByteArray drawMatrixFigure(const MatrixFigure& figure, int answer, int candidates, int extraSeed);

// True when the bytes are a whole, readable PNG, BMP or JPEG picture (what the test screens show).
bool looksLikePicture(const QByteArray& bytes);
