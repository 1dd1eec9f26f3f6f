#include "engine/card_layout.h"

#include <initializer_list>
#include <string>

#include "shell/error_report.h"

namespace quillon {

namespace {
constexpr int kRight = kCardWidth - 1;    // 70
constexpr int kBottom = kCardHeight - 1;  // 95
}  // namespace

void CheckPosition(int lX, int lY) {
    if (lX < 0 || lX >= kColumns || lY < 0 || lY >= kRows)
        throw QuillonError(ErrSubscriptOutOfRange, "Card position (" + std::to_string(lX) + ", " +
                                                       std::to_string(lY) +
                                                       ") is outside the board");
}

bool IsOutsideCorner(int lX, int lY) {
    if (lX < 0 || lY < 0 || lX > kRight || lY > kBottom) return false;
    // Distance from the nearest vertical and horizontal edge; the corner pixel and its two
    // neighbours along the edges are the ones with dx + dy <= 1.
    const int dx = lX <= kRight - lX ? lX : kRight - lX;
    const int dy = lY <= kBottom - lY ? lY : kBottom - lY;
    return dx + dy <= 1;
}

bool IsOutline(int lX, int lY) {
    if (lX < 0 || lY < 0 || lX > kRight || lY > kBottom) return false;
    if (lY == 0 || lY == kBottom) return lX >= 2 && lX <= kRight - 2;
    if (lX == 0 || lX == kRight) return lY >= 2 && lY <= kBottom - 2;
    return (lX == 1 || lX == kRight - 1) && (lY == 1 || lY == kBottom - 1);
}

void PaintCardMask(ICanvas& canvas) {
    canvas.FillRect(0, 0, kCardWidth, kCardHeight, kBlack);
    for (int x : {0, 1, kRight - 1, kRight}) {
        for (int y : {0, 1, kBottom - 1, kBottom}) {
            if (IsOutsideCorner(x, y)) canvas.FillRect(x, y, 1, 1, kWhite);
        }
    }
}

void PaintCardBorder(ICanvas& canvas) {
    canvas.FillRect(0, 0, kCardWidth, kCardHeight, kWhite);
    canvas.FillRect(2, 0, kCardWidth - 4, 1, kBlack);        // top row, x 2..68
    canvas.FillRect(2, kBottom, kCardWidth - 4, 1, kBlack);  // bottom row, x 2..68
    canvas.FillRect(0, 2, 1, kCardHeight - 4, kBlack);       // left column, y 2..93
    canvas.FillRect(kRight, 2, 1, kCardHeight - 4, kBlack);  // right column, y 2..93
    for (int x : {1, kRight - 1}) {
        for (int y : {1, kBottom - 1}) canvas.FillRect(x, y, 1, 1, kBlack);
    }
}

void DrawCardPicture(ICanvas& target, int lX, int lY, const ICanvas& picture, int lSrcX,
                     const ICanvas& mask, const ICanvas& border) {
    target.BitBlt(lX, lY, kCardWidth, kCardHeight, &picture, lSrcX, 0, RasterOp::Xor);
    target.BitBlt(lX, lY, kCardWidth, kCardHeight, &mask, 0, 0, RasterOp::And);
    target.BitBlt(lX, lY, kCardWidth, kCardHeight, &picture, lSrcX, 0, RasterOp::Xor);
    target.BitBlt(lX, lY, kCardWidth, kCardHeight, &border, 0, 0, RasterOp::And);
}

void ComposeInvertedBack(ICanvas& target, const ICanvas& back, const ICanvas& mask,
                         const ICanvas& border) {
    target.FillRect(0, 0, kCardWidth, kCardHeight, kBoardGreen);
    target.BitBlt(0, 0, kCardWidth, kCardHeight, nullptr, 0, 0, RasterOp::DstInvert);
    target.BitBlt(0, 0, kCardWidth, kCardHeight, &back, 0, 0, RasterOp::Xor);
    target.BitBlt(0, 0, kCardWidth, kCardHeight, &mask, 0, 0, RasterOp::And);
    target.BitBlt(0, 0, kCardWidth, kCardHeight, &back, 0, 0, RasterOp::Xor);
    target.BitBlt(0, 0, kCardWidth, kCardHeight, nullptr, 0, 0, RasterOp::DstInvert);
    target.BitBlt(0, 0, kCardWidth, kCardHeight, &border, 0, 0, RasterOp::And);
}

}  // namespace quillon
