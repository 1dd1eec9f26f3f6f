// The drawing operations of clsGame: card backs, faces, the selection mark and the
// flash, one 71 x 96 cell at a time, with raster operations over the board window's pictures.
// A host without a board surface (the headless simulator) gets no drawing and no repaint.

#include "engine/canvas.h"
#include "engine/card_layout.h"
#include "engine/clsGame.h"
#include "shell/program_values.h"

namespace quillon {

void clsGame::Draw_All_Backs() {
    Handled("Draw_All_Backs", [&] {
        const CardSurfaces surfaces = m_context.host.Surfaces();
        if (surfaces.pBoard == nullptr || surfaces.pBack == nullptr) return;
        for (int32_t x = 0; x < kColumns; ++x) {
            for (int32_t y = 0; y < kRows; ++y) Draw_Card_Back(x, y, false);
        }
    });
}

void clsGame::Draw_Card_Back(int32_t lX, int32_t lY, bool bCheckIfShape) {
    // In shape mode the back under the mouse was never altered.
    if (bCheckIfShape && m_context.values.g_bShapeCursor) return;
    Draw_Card(lX, lY, m_context.host.Surfaces().pBack, 0);
}

// Card_Flip has checked the position.
void clsGame::Draw_Card_Face(int32_t lX, int32_t lY) {
    Draw_Card(lX, lY, m_context.host.Surfaces().pCardSet, kCardWidth * m_board[lX][lY].lId);
}

void clsGame::Draw_Card(int32_t lX, int32_t lY, const ICanvas* pPicture, int32_t lSrcX) {
    const CardSurfaces surfaces = m_context.host.Surfaces();
    ICanvas* pBoard = surfaces.pBoard;
    if (pBoard == nullptr || pPicture == nullptr || surfaces.pMask == nullptr ||
        surfaces.pBorder == nullptr)
        return;
    const CardPos at = Card_ToPixels(lX, lY);
    DrawCardPicture(*pBoard, at.lX, at.lY, *pPicture, lSrcX, *surfaces.pMask, *surfaces.pBorder);
    Draw_Refresh(lX, lY);
}

void clsGame::Draw_Card_Flip(int32_t lX, int32_t lY) {
    if (m_context.values.g_bShapeCursor) {
        m_context.host.MoveSelectionShape(kCardWidth * lX + 1, kCardHeight * lY + 1);
        return;
    }
    const CardSurfaces surfaces = m_context.host.Surfaces();
    if (surfaces.pBoard == nullptr || surfaces.pBackInv == nullptr) return;
    const CardPos at = Card_ToPixels(lX, lY);
    surfaces.pBoard->BitBlt(at.lX, at.lY, kCardWidth, kCardHeight, surfaces.pBackInv, 0, 0,
                            RasterOp::Copy);
    Draw_Refresh(lX, lY);
}

// The pauses belong to the game's timing and happen with or without a board surface.
void clsGame::Draw_Card_Flash(int32_t lX1, int32_t lY1, int32_t lX2, int32_t lY2) {
    const CardPos first = Card_ToPixels(lX1, lY1);
    const CardPos second = Card_ToPixels(lX2, lY2);
    auto invertBoth = [&]() {
        ICanvas* pBoard = m_context.host.Surfaces().pBoard;
        if (pBoard == nullptr) return;
        pBoard->BitBlt(first.lX, first.lY, kCardWidth, kCardHeight, nullptr, 0, 0,
                       RasterOp::DstInvert);
        pBoard->BitBlt(second.lX, second.lY, kCardWidth, kCardHeight, nullptr, 0, 0,
                       RasterOp::DstInvert);
        Draw_Refresh(lX1, lY1);
        Draw_Refresh(lX2, lY2);
    };
    for (int i = 0; i < 3; ++i) {
        invertBoth();
        m_context.host.Pause(50);
        invertBoth();
        m_context.host.Pause(150);
    }
}

// Invalidate with erase and update at once: the host repaints the card's rectangle now.
void clsGame::Draw_Refresh(int32_t lX, int32_t lY) {
    const CardPos at = Card_ToPixels(lX, lY);
    m_context.host.RefreshRect(at.lX, at.lY, kCardWidth, kCardHeight);
}

CardPos clsGame::Card_ToPixels(int32_t lX, int32_t lY) {
    return {kCardWidth * lX, kCardHeight * lY};
}

}  // namespace quillon
