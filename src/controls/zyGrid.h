#pragma once
// TzyGrid: the program's own grid of text cells with a header row, a gutter
// column and a home cell, per-cell/column/row attributes, type-over and F2
// editing, editor controls placed over cells, merged blocks, auto-sizing, its
// own scroll bars and a clipboard popup menu. Painted by hand on the viewport
// of a QAbstractScrollArea; painting and scrolling touch only what is visible.
#include "zyColors.h"

#include <QAbstractScrollArea>
#include <QFlags>
#include <QFont>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <vector>

class QMenu;
class QAction;
class TzyGrid;

enum TCellEditor : quint8 { ceNormal, ceBtn, ceBBtn, ceDD, ceDDL, ceSBtn };
enum TCellMergedState : quint8 { cmsNone, cmsTopLeft, cmsMerged };
enum TGutterKind : quint8 { gkNone, gkBlank, gkPointer, gkNumber, gkString };
enum THorAlign : quint8 { haLeft, haCenter, haRight };
enum TVerAlign : quint8 { vaTop, vaCenter, vaBottom };
enum TMoveWrap : quint8 { mwNone, mwSameColRow, mwColsRows, mwGrid };
enum TScrollStyle : quint8 { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBorderStyle : quint8 { bsNone, bsSingle };
enum TGridOption { goAutoSizeLastCol = 1, goResizeCol = 2, goAutoSizeCol = 4, goResizeRow = 8, goAutoSizeRow = 16 };
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

// A rectangle with exclusive right and bottom edges, as the grid's geometry
// is stated.
struct GridRect {
    int L = 0, T = 0, R = 0, B = 0;
    QRect toQRect() const { return QRect(L, T, R - L, B - T); }
    GridRect moved(int dx, int dy) const { return {L + dx, T + dy, R + dx, B + dy}; }
    bool meets(const GridRect& o) const { return L < o.R && o.L < R && T < o.B && o.T < B; }
};

// The in-place text editor opened by F2 or a double-click; every change is
// written straight into the edited cell.
class TF2Editor : public QLineEdit {
    Q_OBJECT
public:
    explicit TF2Editor(TzyGrid* grid);
    void ShowAt(int col, int row);
    void CloseEditor();
    void SetAlignment(THorAlign value);
    int EditCol = 0;
    int EditRow = 0;
    THorAlign EditAlign = haLeft;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void Change(const QString& text);
    // Returns true when the key was consumed.
    bool KeyDown(int key, Qt::KeyboardModifiers mods);
    TzyGrid* Grid;
};

class TzyGrid : public QAbstractScrollArea {
    Q_OBJECT
    friend class TF2Editor;

public:
    explicit TzyGrid(QWidget* parent = nullptr);
    ~TzyGrid() override;

    // ---- counts and the current cell ------------------------------------
    int ColCount() const { return m_colCount; }
    void setColCount(int value);
    int RowCount() const { return m_rowCount; }
    void setRowCount(int value);
    int Col() const { return m_col; }
    int Row() const { return m_row; }
    struct Block { int Left = 0, Top = 0, Right = 0, Bottom = 0;
        bool operator==(const Block&) const = default; };
    Block Selection() const { return m_sel; }
    void SetSelection(const Block& b);

    // ---- published properties ---------------------------------------------
    bool AllowSelectCells() const { return m_allowSelectCells; }
    void setAllowSelectCells(bool v) { m_allowSelectCells = v; viewport()->update(); }
    QColor AlternateColColor() const { return m_alternateColColor; }
    void setAlternateColColor(const QColor& c) { m_alternateColColor = c.rgb(); InvalidateCells(); }
    QColor AlternateRowColor() const { return m_alternateRowColor; }
    void setAlternateRowColor(const QColor& c) { m_alternateRowColor = c.rgb(); InvalidateCells(); }
    bool ColorAlternateCol() const { return m_colorAlternateCol; }
    void setColorAlternateCol(bool v) { m_colorAlternateCol = v; InvalidateCells(); }
    bool ColorAlternateRow() const { return m_colorAlternateRow; }
    void setColorAlternateRow(bool v) { m_colorAlternateRow = v; InvalidateCells(); }
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(TBorderStyle v);
    QColor ColIndicatorColor() const { return m_colIndicatorColor; }
    void setColIndicatorColor(const QColor& c) { m_colIndicatorColor = c.rgb(); InvalidateHeader(); }
    QColor Color() const { return m_color; }
    void setColor(const QColor& c);
    int DefaultColWidth() const { return m_defaultColWidth; }
    void setDefaultColWidth(int v);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultRowHeight(int v);
    QColor DisabledColor() const { return m_disabledColor; }
    void setDisabledColor(const QColor& c) { m_disabledColor = c.rgb(); if (!m_enabled) viewport()->update(); }
    QColor DisabledGridFontColor() const { return m_disabledGridFontColor; }
    void setDisabledGridFontColor(const QColor& c) { m_disabledGridFontColor = c.rgb(); if (!m_enabled) viewport()->update(); }
    QColor DisabledGridLineColor() const { return m_disabledGridLineColor; }
    void setDisabledGridLineColor(const QColor& c) { m_disabledGridLineColor = c.rgb(); if (!m_enabled) viewport()->update(); }
    // The grid's own enabled flag; the widget itself stays enabled.
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool v);
    QColor F2EditorColor() const { return m_f2EditorColor; }
    void setF2EditorColor(const QColor& c) { m_f2EditorColor = c.rgb(); InvalidateCells(); }
    QColor F2EditorRectColor() const { return m_f2EditorRectColor; }
    void setF2EditorRectColor(const QColor& c) { m_f2EditorRectColor = c.rgb(); InvalidateCells(); }
    bool Flat() const { return m_flat; }
    void setFlat(bool v) { m_flat = v; viewport()->update(); }
    bool GridCanSelect() const { return m_def.canSelect; }
    void setGridCanSelect(bool v);
    int GridColMinWidth() const { return m_gridColMinWidth; }
    void setGridColMinWidth(int v);
    bool GridEllipsifyText() const { return m_def.ellipsifyText; }
    void setGridEllipsifyText(bool v);
    bool GridEllipsifyPath() const { return m_def.ellipsifyPath; }
    void setGridEllipsifyPath(bool v);
    bool GridFontBold() const { return m_def.bold; }
    void setGridFontBold(bool v);
    bool GridFontItalic() const { return m_def.italic; }
    void setGridFontItalic(bool v);
    bool GridFontStrikeOut() const { return m_def.strikeOut; }
    void setGridFontStrikeOut(bool v);
    bool GridFontUnderline() const { return m_def.underline; }
    void setGridFontUnderline(bool v);
    QColor GridFontColor() const { return m_def.fontColor; }
    void setGridFontColor(const QColor& c);
    THorAlign GridHorAlign() const { return m_def.horAlign; }
    void setGridHorAlign(THorAlign v);
    QColor GridLineColor() const { return m_gridLineColor; }
    void setGridLineColor(const QColor& c);
    int GridMaxLen() const { return m_gridMaxLen; }
    void setGridMaxLen(int v);
    bool GridReadOnly() const { return m_def.readOnly; }
    void setGridReadOnly(bool v);
    int GridRowMinHeight() const { return m_gridRowMinHeight; }
    void setGridRowMinHeight(int v);
    bool GridURL() const { return m_def.url; }
    void setGridURL(bool v);
    TVerAlign GridVerAlign() const { return m_def.verAlign; }
    void setGridVerAlign(TVerAlign v);
    bool GridWordWrap() const { return m_def.wordWrap; }
    void setGridWordWrap(bool v);
    QColor GutterColor() const { return m_gutterColor; }
    void setGutterColor(const QColor& c) { m_gutterColor = c.rgb(); InvalidateGutter(); }
    QFont GutterFont() const { return m_gutterFont; }
    QColor GutterFontColor() const { return m_gutterFontColor; }
    void setGutterFont(const QFont& f);
    void setGutterFontColor(const QColor& c);
    THorAlign GutterHorAlign() const { return m_gutterHorAlign; }
    void setGutterHorAlign(THorAlign v);
    THorAlign GutterImageHorAlign() const { return m_gutterImageHorAlign; }
    void setGutterImageHorAlign(THorAlign v) { m_gutterImageHorAlign = v; InvalidateGutter(); }
    TVerAlign GutterImageVerAlign() const { return m_gutterImageVerAlign; }
    void setGutterImageVerAlign(TVerAlign v) { m_gutterImageVerAlign = v; InvalidateGutter(); }
    QPixmap GutterImagePicture() const { return m_gutterImagePicture; }
    void setGutterImagePicture(const QPixmap& p) { m_gutterImagePicture = p; InvalidateGutter(); }
    TGutterKind GutterKind() const { return m_gutterKind; }
    void setGutterKind(TGutterKind v);
    TVerAlign GutterVerAlign() const { return m_gutterVerAlign; }
    void setGutterVerAlign(TVerAlign v);
    int GutterWidth() const { return m_gutterWidth; }
    void setGutterWidth(int v);
    bool GutterWordWrap() const { return m_gutterWordWrap; }
    void setGutterWordWrap(bool v);
    QColor HeaderColor() const { return m_headerColor; }
    void setHeaderColor(const QColor& c) { m_headerColor = c.rgb(); InvalidateHeader(); }
    QFont HeaderFont() const { return m_headerFont; }
    QColor HeaderFontColor() const { return m_headerFontColor; }
    void setHeaderFont(const QFont& f);
    void setHeaderFontColor(const QColor& c);
    int HeaderHeight() const { return m_headerHeight; }
    void setHeaderHeight(int v);
    THorAlign HeaderHorAlign() const { return m_headerHorAlign; }
    void setHeaderHorAlign(THorAlign v);
    TVerAlign HeaderVerAlign() const { return m_headerVerAlign; }
    void setHeaderVerAlign(TVerAlign v);
    bool HeaderWordWrap() const { return m_headerWordWrap; }
    void setHeaderWordWrap(bool v);
    QColor HomeColor() const { return m_homeColor; }
    void setHomeColor(const QColor& c) { m_homeColor = c.rgb(); InvalidateHeader(); }
    QFont HomeFont() const { return m_homeFont; }
    QColor HomeFontColor() const { return m_homeFontColor; }
    void setHomeFont(const QFont& f) { m_homeFont = f; InvalidateHeader(); }
    void setHomeFontColor(const QColor& c) { m_homeFontColor = c.rgb(); InvalidateHeader(); }
    THorAlign HomeHorAlign() const { return m_homeHorAlign; }
    void setHomeHorAlign(THorAlign v) { m_homeHorAlign = v; InvalidateHeader(); }
    TVerAlign HomeVerAlign() const { return m_homeVerAlign; }
    void setHomeVerAlign(TVerAlign v) { m_homeVerAlign = v; InvalidateHeader(); }
    bool HomeWordWrap() const { return m_homeWordWrap; }
    void setHomeWordWrap(bool v) { m_homeWordWrap = v; InvalidateHeader(); }
    QString HomeText() const { return m_homeText; }
    void setHomeText(const QString& t) { m_homeText = t; InvalidateHeader(); }
    bool LinkGutterFont() const { return m_linkGutterFont; }
    void setLinkGutterFont(bool v);
    bool LinkHeaderFont() const { return m_linkHeaderFont; }
    void setLinkHeaderFont(bool v);
    bool LinkHomeFont() const { return m_linkHomeFont; }
    void setLinkHomeFont(bool v);
    // Colour of the control's font, which the linked fonts take over.
    QColor FontColor() const { return m_fontColor; }
    void setFontColor(const QColor& c);
    bool MoveDown() const { return m_moveDown; }
    void setMoveDown(bool v) { m_moveDown = v; }
    bool MoveOnReturn() const { return m_moveOnReturn; }
    void setMoveOnReturn(bool v) { m_moveOnReturn = v; }
    TMoveWrap MoveWrap() const { return m_moveWrap; }
    void setMoveWrap(TMoveWrap v) { m_moveWrap = v; }
    TGridOptions Options() const { return m_options; }
    void setOptions(TGridOptions v) { m_options = v; Relayout(); }
    QString PopUpCutText() const { return m_popUpTexts[0]; }
    void setPopUpCutText(const QString& t) { setPopUpText(0, t); }
    QString PopUpCopyText() const { return m_popUpTexts[1]; }
    void setPopUpCopyText(const QString& t) { setPopUpText(1, t); }
    QString PopUpPasteText() const { return m_popUpTexts[2]; }
    void setPopUpPasteText(const QString& t) { setPopUpText(2, t); }
    QString PopUpClearText() const { return m_popUpTexts[3]; }
    void setPopUpClearText(const QString& t) { setPopUpText(3, t); }
    bool ProportionalThumb() const { return m_proportionalThumb; }
    void setProportionalThumb(bool v) { m_proportionalThumb = v; Relayout(); }
    QColor RowIndicatorColor() const { return m_rowIndicatorColor; }
    void setRowIndicatorColor(const QColor& c) { m_rowIndicatorColor = c.rgb(); InvalidateGutter(); }
    TScrollStyle ScrollBarKind() const { return m_scrollBarKind; }
    void setScrollBarKind(TScrollStyle v) { m_scrollBarKind = v; Relayout(); }
    QColor SelectionColor() const { return m_selectionColor; }
    void setSelectionColor(const QColor& c) { m_selectionColor = c.rgb(); InvalidateCells(); }
    QColor SelectionRectColor() const { return m_selectionRectColor; }
    void setSelectionRectColor(const QColor& c) { m_selectionRectColor = c.rgb(); InvalidateCells(); }
    bool ShowColIndicator() const { return m_showColIndicator; }
    void setShowColIndicator(bool v) { m_showColIndicator = v; InvalidateHeader(); }
    bool ShowGridLines() const { return m_showGridLines; }
    void setShowGridLines(bool v) { m_showGridLines = v; InvalidateCells(); }
    bool ShowHeader() const { return m_showHeader; }
    void setShowHeader(bool v) { m_showHeader = v; Relayout(); }
    bool ShowPopUp() const { return m_showPopUp; }
    void setShowPopUp(bool v) { m_showPopUp = v; }
    bool ShowRowIndicator() const { return m_showRowIndicator; }
    void setShowRowIndicator(bool v) { m_showRowIndicator = v; InvalidateGutter(); }
    bool ShowSelection() const { return m_showSelection; }
    void setShowSelection(bool v) { m_showSelection = v; viewport()->update(); }
    bool SmoothHorScroll() const { return m_smoothHorScroll; }
    void setSmoothHorScroll(bool v) { m_smoothHorScroll = v; Relayout(); }
    bool SmoothVerScroll() const { return m_smoothVerScroll; }
    void setSmoothVerScroll(bool v) { m_smoothVerScroll = v; Relayout(); }
    QColor UnUsedColor() const { return m_unUsedColor; }
    void setUnUsedColor(const QColor& c) { m_unUsedColor = c.rgb(); viewport()->update(); }
    bool UseF2EditorColor() const { return m_useF2EditorColor; }
    void setUseF2EditorColor(bool v) { m_useF2EditorColor = v; InvalidateCells(); }

    // ---- cells ------------------------------------------------------------
    QString getCells(int col, int row) const;
    void setCells(int col, int row, const QString& text);
    void InternalSetCell(int col, int row, const QString& text, bool fireChange);
    bool getCellCanSelect(int col, int row) const;
    void setCellCanSelect(int col, int row, bool v);
    QColor getCellColor(int col, int row) const;
    void setCellColor(int col, int row, const QColor& c);
    int getCellDDLItemIndex(int col, int row) const;
    void setCellDDLItemIndex(int col, int row, int v);
    TCellEditor getCellEditor(int col, int row) const;
    void setCellEditor(int col, int row, TCellEditor v);
    QWidget* getCellEditorControl(int col, int row) const;
    void setCellEditorControl(int col, int row, QWidget* control);
    bool getCellEditorVisible(int col, int row) const;
    void setCellEditorVisible(int col, int row, bool v);
    bool getCellEllipsifyText(int col, int row) const;
    void setCellEllipsifyText(int col, int row, bool v);
    bool getCellEllipsifyPath(int col, int row) const;
    void setCellEllipsifyPath(int col, int row, bool v);
    bool getCellFontBold(int col, int row) const;
    bool getCellFontItalic(int col, int row) const;
    bool getCellFontStrikeOut(int col, int row) const;
    bool getCellFontUnderline(int col, int row) const;
    void setCellFontBold(int col, int row, bool v);
    void setCellFontUnderline(int col, int row, bool v);
    QColor getCellFontColor(int col, int row) const;
    void setCellFontColor(int col, int row, const QColor& c);
    QColor getCellGridLineLeftColor(int col, int row) const;
    QColor getCellGridLineTopColor(int col, int row) const;
    QColor getCellGridLineRightColor(int col, int row) const;
    QColor getCellGridLineBottomColor(int col, int row) const;
    void setCellGridLineLeftColor(int col, int row, const QColor& c);
    void setCellGridLineTopColor(int col, int row, const QColor& c);
    void setCellGridLineRightColor(int col, int row, const QColor& c);
    void setCellGridLineBottomColor(int col, int row, const QColor& c);
    THorAlign getCellHorAlign(int col, int row) const;
    void setCellHorAlign(int col, int row, THorAlign v);
    int getCellMaxLength(int col, int row) const;
    bool getCellReadOnly(int col, int row) const;
    void setCellReadOnly(int col, int row, bool v);
    bool getCellURL(int col, int row) const;
    void setCellURL(int col, int row, bool v);
    TVerAlign getCellVerAlign(int col, int row) const;
    bool getCellWordWrap(int col, int row) const;
    bool getCellSBtnDown(int col, int row) const;
    TCellMergedState getCellMergedState(int col, int row) const;
    int getCellMergeCols(int col, int row) const;
    int getCellMergeRows(int col, int row) const;

    // ---- columns and rows ---------------------------------------------------
    void setColCanSelect(int col, bool v);
    void setColColor(int col, const QColor& c);
    void setColReadOnly(int col, bool v);
    void setColEditor(int col, TCellEditor v);
    void setColEditorControl(int col, QWidget* control);
    THorAlign getColHorAlign(int col) const;
    void setColHorAlign(int col, THorAlign v);
    int getColMinWidths(int col) const;
    void setColMinWidths(int col, int width);
    void setColMaxLength(int col, int n);
    int getColWidths(int col) const;
    void setColWidths(int col, int width);
    int getRowHeights(int row) const;
    void setRowHeights(int row, int height);
    int getRowMinHeights(int row) const;
    void setRowMinHeights(int row, int height);
    void setRowWordWrap(int row, bool v);

    // ---- header and gutter cells --------------------------------------------
    QString getHeaderCellText(int col) const;
    void setHeaderCellText(int col, const QString& text);
    QColor getHeaderCellFontColor(int col) const;
    void setHeaderCellFontColor(int col, const QColor& c);
    bool getHeaderCellFontBold(int col) const;
    bool getHeaderCellFontItalic(int col) const;
    bool getHeaderCellFontStrikeOut(int col) const;
    bool getHeaderCellFontUnderline(int col) const;
    QString getGutterCellText(int row) const;
    void setGutterCellText(int row, const QString& text);
    QColor getGutterCellFontColor(int row) const;
    void setGutterCellFontColor(int row, const QColor& c);
    bool getGutterCellFontBold(int row) const;
    bool getGutterCellFontItalic(int row) const;
    bool getGutterCellFontStrikeOut(int row) const;
    bool getGutterCellFontUnderline(int row) const;
    QString getGutterImageHint(int row) const;
    void setGutterImageHint(int row, const QString& text);
    bool getGutterImageVisible(int row) const;
    void setGutterImageVisible(int row, bool v);

    // ---- geometry and scrolling ---------------------------------------------
    int CalcColLeft(int c) const;
    int CalcRowTop(int r) const;
    GridRect CellRect(int c, int r) const;
    GridRect GridToClient(const GridRect& r) const;
    QPoint MouseToCell(int x, int y) const;
    int CalcGridWidth() const;
    int CalcGridHeight() const;
    void UpdateLayout();
    void SetScrollX(int x);
    void SetScrollY(int y);
    void ScrollInView(int c, int r);
    int LineLeftStep() const;
    int LineRightStep() const;
    int PageLeftStep() const;
    int PageRightStep() const;
    int LineUpStep() const;
    int LineDownStep() const;
    int PageUpStep() const;
    int PageDownStep() const;
    // The column (row) edge at or after a scroll offset.
    int SnapScrollX(int x) const;
    int SnapScrollY(int y) const;
    int TopVisibleRow() const;
    int BottomVisibleRow() const;
    int ScrollX() const { return m_scrollX; }
    int ScrollY() const { return m_scrollY; }
    int MaxScrollX() const { return m_maxScrollX; }
    int MaxScrollY() const { return m_maxScrollY; }
    int CellAreaLeft() const { return m_cellAreaLeft; }
    int CellAreaTop() const { return m_cellAreaTop; }
    int ContentWidth() const { return m_contentWidth; }
    int ContentHeight() const { return m_contentHeight; }
    int UsedRight() const { return m_usedRight; }
    int UsedBottom() const { return m_usedBottom; }
    int VisibleWidth() const { return m_visibleWidth; }
    int VisibleHeight() const { return m_visibleHeight; }
    int RowTop(int row) const;

    // ---- selection and moves ----------------------------------------------
    void MoveToCell(int col, int row);
    void MovePrev();
    void MoveNext();
    bool IsSingleSelection() const;
    int HitTest(int x, int y);

    // ---- editing --------------------------------------------------------------
    bool Typing() const { return m_typing; }
    bool F2Editing() const { return m_f2Editing; }
    bool CaretShown() const { return m_caretShown; }
    QPoint CaretPos() const { return m_caretPos; }
    TF2Editor* F2Editor() const { return m_f2Editor; }
    void ShowCellEditor(int col, int row);
    void HideCellEditors(bool all);
    void HideCellEditor(int col, int row);
    bool ColHasEditors(int col) const;
    bool RowHasEditors(int row) const;
    void EndTyping();

    // ---- merging and sizing -----------------------------------------------
    void MergeCells(int col1, int row1, int col2, int row2);
    Block MergedBlock() const { return m_mergedBlock; }
    void UpdateMergedCellColsRows(int col, int row);
    int CalcCellMinWidths(int col, int row, bool includeMerged);
    int CalcCellMinHeights(int col, int row, bool includeMerged);
    int CalcDDLMinWidth(int col, int row);
    int CalcColMinWidths(int col, bool includeHeader, bool includeMerged);
    int CalcRowMinHeights(int row, bool includeGutter, bool includeMerged);
    void AutoSizeCols(bool includeHeader);
    void AutoSizeColsMerged(bool includeHeader);
    void AdjustRowHeight(int row, bool includeGutter);
    void AutoSizeGutter(bool includeHome);

    // ---- measuring ------------------------------------------------------------
    int CalcTextWidth(const QString& text, int col, int row) const;
    int CalcTextHeight(const QString& text, int col, int row) const;
    int CalcGutterTextWidth(const QString& text, int row) const;
    int CalcGutterTextHeight(const QString& text, int row) const;
    int CalcHeaderTextWidth(const QString& text, int col) const;
    int CalcHeaderTextHeight(const QString& text, int col) const;
    int CalcHomeTextWidth(const QString& text) const;
    int CalcHomeTextHeight(const QString& text) const;
    int CalcEditorHeight(const QString& text, int col, int row) const;
    QColor GetCellPaintColor(int col, int row) const;

    // ---- clipboard --------------------------------------------------------------
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void CopyGridToClipboard();
    void ClearCells();
    void ClearRow(int row);
    bool IsEmpty() const;
    QMenu* DefaultPopUpMenu() const { return m_popUpMenu; }
    void PopUpMenuPopup();
    // The text of a block of cells as the clipboard carries it.
    QString ClipboardText(int left, int top, int right, int bottom) const;
    // Splits clipboard text into lines of fields, every line padded to the
    // longest; quoted fields (as written by the grid) keep tabs and breaks.
    static std::vector<QStringList> ParseClipboardText(const QString& text);
    static QString QuoteField(const QString& text);

signals:
    void OnCellChange(int col, int row, const QString& text);
    void OnCellClick(int col, int row);
    void OnColRowChanged(int col, int row);
    // Before a typed character is taken; the receiver may change the key or
    // refuse it. Connect directly (the arguments are references).
    void OnFilterChar(int col, int row, QChar& key, const QRect& rectCell, bool& allowed, const QString& buffer);
    void OnSelectCell(int col, int row);
    void OnUserColWidthChanged(int col);
    void OnUserRowHeightChanged(int row);

protected:
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    // Template attributes kept per cell, per column and per row.
    struct Attr {
        QRgb color = 0, fontColor = 0, lineLeft = 0, lineTop = 0, lineRight = 0, lineBottom = 0;
        QPointer<QWidget> editorControl;
        int maxLength = 0;
        TCellEditor editor = ceNormal;
        THorAlign horAlign = haLeft;
        TVerAlign verAlign = vaCenter;
        bool canSelect = true, ellipsifyText = false, ellipsifyPath = false;
        bool bold = false, italic = false, strikeOut = false, underline = false;
        bool readOnly = false, url = false, wordWrap = false;
    };
    struct Cell : Attr {
        QString text;
        int ddlItemIndex = -1;
        int mergeCols = 0, mergeRows = 0;
        TCellMergedState merged = cmsNone;
        bool editorVisible = false, sBtnDown = false;
    };
    struct FixedAttr {
        QString text;
        QRgb fontColor = 0;
        THorAlign horAlign = haLeft;
        TVerAlign verAlign = vaCenter;
        bool bold = false, italic = false, strikeOut = false, underline = false, wordWrap = false;
    };
    struct ColAttr : Attr {
        int width = 64, minWidth = 8;
        FixedAttr header;
    };
    struct RowAttr : Attr {
        int height = 18, minHeight = 4;
        FixedAttr gutter;
        QString imageHint;
        bool imageVisible = false;
    };

    Cell& cell(int c, int r) { return m_cells[c][r]; }
    const Cell& cell(int c, int r) const { return m_cells[c][r]; }
    // Empties a row's cells; their attributes and editors stay.
    void clearRowCells(int row);
    bool badCell(int col, int row, const char* op) const;
    bool badCol(int col, const char* op) const;
    bool badRow(int row, const char* op) const;
    static void copyAttr(Attr& to, const Attr& from);
    Attr defaultAttr() const;
    template <typename F> void forEveryAttr(F f);

    // model
    void SizeColArrays(int count, int first);
    void SizeRowArrays(int count, int first);
    void SizeCellArrays(int cols, int rows, int firstRow, int firstCol);
    void CountChanged(bool colsChanged, int oldIndex);
    void TrimMergedBlocks();
    void GutterFontChanged();
    void HeaderFontChanged();
    void CutTexts(int maxLen);
    void Relayout();
    void setPopUpText(int i, const QString& t);

    // layout
    void rebuildColLefts() const;
    void rebuildRowTops() const;
    void colsChanged() { m_colLeftsDirty = true; }
    void rowsChanged() { m_rowTopsDirty = true; }
    // The layout, the cells and the editor follow a column dragged or sized
    // by the user (a row).
    void FollowColResize();
    void FollowRowResize();
    // Sets a column's width from what its cells need, held to the grid's
    // and the column's minimum widths where these are set.
    void SetNeededColWidth(int col, int need);
    int firstColAtOrAfter(int o) const;
    int firstRowAtOrAfter(int o) const;
    int colAtX(int x) const;
    int rowAtY(int y) const;
    int vBarWidth() const;
    int hBarHeight() const;
    void ShowScrollBars(bool h, bool v);
    void UpdateScrollBars();
    void onScrollAction(Qt::Orientation o, int action);
    void applyScrollX(int x);
    void applyScrollY(int y);
    void InvalidateCells();
    void InvalidateGutter();
    void InvalidateHeader();
    void InvalidateFromX(int x);
    void InvalidateFromY(int y);
    void invalidateRect(const GridRect& r);
    int clientWidth() const;
    int clientHeight() const;
    GridRect blockRect(int c, int r) const;

    // painting
    void Paint(QPainter& p, const QRect& dirty);
    void PaintCell(QPainter& p, int col, int row);
    void PaintMergedCell(QPainter& p, int col, int row);
    void paintCellBody(QPainter& p, const GridRect& R, int col, int row, QRgb fill, const QString& text);
    void PaintGutter(QPainter& p, const QRect& dirty);
    void PaintHeader(QPainter& p, const QRect& dirty);
    void PaintFixedCell(QPainter& p, const GridRect& R, QRgb fill, const QString& text, const QFont& font,
                        QRgb fontColor, int col, int row);
    void DrawFixedCellText(QPainter& p, const QString& text, const GridRect& T, int col, int row);
    QPoint DrawCellText(QPainter* p, bool typing, const GridRect& T, const QString& text, int w, int col, int row);
    void PaintSelectionFrame(QPainter& p);
    void PaintUnusedArea(QPainter& p);
    GridRect frameRect() const;
    QRegion ringRegion() const;
    QFont cellFont(int col, int row) const;
    // The base font in the bold, italic, strike-out and underline of a cell
    // or of a header or gutter cell.
    template <class A>
    static QFont styled(const QFont& base, const A& a)
    {
        QFont f = base;
        f.setBold(a.bold);
        f.setItalic(a.italic);
        f.setStrikeOut(a.strikeOut);
        f.setUnderline(a.underline);
        return f;
    }
    static QStringList splitLines(const QString& text);
    static QString removeCrLf(const QString& text);
    int measureWidth(const QFont& f, const QString& text, bool wordWrap) const;
    int measureHeight(const QFont& f, const QString& text, bool wordWrap) const;
    int gridFontPixelHeight() const;
    void RepaintCellText(int col, int row, QPoint& caret, bool typing);
    GridRect gutterImageRect(int row) const;

    // navigation and input
    void MoveCurrentCell(int col, int row);
    void CurrentCellChanged(int prevCol, int prevRow);
    Block blockOf(int c, int r) const;
    bool selectable(int c, int r) const;
    void FindLeftCell();
    void FindRightCell();
    void FindUpCell();
    void FindDownCell();
    void FindFirstCell();
    void FindLastCell();
    void FindRowStartCell();
    void FindPageUpCell();
    void FindPageDownCell();
    bool KeyDown(int key, Qt::KeyboardModifiers mods);
    bool handlesKey(int key, Qt::KeyboardModifiers mods, const QString& text) const;
    bool KeyPress(QChar key);
    void ExtendSelection(int step);
    void ClearCurrentCell();
    void MouseDown(Qt::MouseButton b, Qt::KeyboardModifiers mods, int x, int y, bool dbl);
    void BeginTyping();
    void showPopUpAt(const QPoint& clientPos);

    // ---- state ------------------------------------------------------------------
    int m_colCount = 0, m_rowCount = 0;
    int m_col = 0, m_row = 0;
    Block m_sel;
    std::vector<std::vector<Cell>> m_cells; // [col][row]
    std::vector<ColAttr> m_cols;
    std::vector<RowAttr> m_rows;
    mutable std::vector<int> m_colLefts; // m_colLefts[c] = CalcColLeft(c), c = 0..ColCount+1
    mutable std::vector<int> m_rowTops;
    mutable bool m_colLeftsDirty = true, m_rowTopsDirty = true;

    Attr m_def; // the grid defaults
    QRgb m_color = 0, m_gridLineColor = 0, m_alternateColColor = 0, m_alternateRowColor = 0;
    QRgb m_colIndicatorColor = 0, m_rowIndicatorColor = 0, m_disabledColor = 0, m_disabledGridFontColor = 0,
         m_disabledGridLineColor = 0, m_f2EditorColor = 0, m_f2EditorRectColor = 0, m_gutterColor = 0,
         m_headerColor = 0, m_homeColor = 0, m_selectionColor = 0, m_selectionRectColor = 0, m_unUsedColor = 0;
    QRgb m_fontColor = 0, m_gutterFontColor = 0, m_headerFontColor = 0, m_homeFontColor = 0;
    bool m_allowSelectCells = false, m_colorAlternateCol = false, m_colorAlternateRow = false;
    TBorderStyle m_borderStyle = bsSingle;
    int m_defaultColWidth = 64, m_defaultRowHeight = 18;
    bool m_enabled = true, m_flat = true;
    int m_gridColMinWidth = 8, m_gridRowMinHeight = 4, m_gridMaxLen = 0;
    THorAlign m_gutterHorAlign = haLeft, m_gutterImageHorAlign = haRight;
    TVerAlign m_gutterVerAlign = vaCenter, m_gutterImageVerAlign = vaCenter;
    bool m_gutterWordWrap = false;
    TGutterKind m_gutterKind = gkBlank;
    int m_gutterWidth = 20, m_headerHeight = 18;
    THorAlign m_headerHorAlign = haCenter, m_homeHorAlign = haCenter;
    TVerAlign m_headerVerAlign = vaCenter, m_homeVerAlign = vaCenter;
    bool m_headerWordWrap = false, m_homeWordWrap = false;
    QString m_homeText;
    bool m_linkGutterFont = true, m_linkHeaderFont = true, m_linkHomeFont = true;
    bool m_moveDown = true, m_moveOnReturn = true;
    TMoveWrap m_moveWrap = mwNone;
    TGridOptions m_options;
    QString m_popUpTexts[4];
    bool m_proportionalThumb = true;
    TScrollStyle m_scrollBarKind = ssBoth;
    bool m_showColIndicator = false, m_showGridLines = true, m_showHeader = true, m_showPopUp = false,
         m_showRowIndicator = false, m_showSelection = true, m_smoothHorScroll = true, m_smoothVerScroll = false,
         m_useF2EditorColor = false;
    QFont m_gridFont, m_gutterFont, m_headerFont, m_homeFont;
    QPixmap m_gutterImagePicture;

    // layout values
    int m_scrollX = 0, m_scrollY = 0, m_maxScrollX = 0, m_maxScrollY = 0;
    int m_cellAreaLeft = 0, m_cellAreaTop = 0, m_contentWidth = 0, m_contentHeight = 0;
    int m_usedRight = 0, m_usedBottom = 0, m_visibleWidth = 0, m_visibleHeight = 0;
    GridRect m_visibleCellRect;
    bool m_inLayout = false;
    int m_layoutDepth = 0;
    bool m_settingBars = false;

    // editing
    bool m_typing = false, m_f2Editing = false, m_paintingSuspended = false, m_caretShown = false;
    QString m_typeBuffer, m_savedText;
    QPoint m_caretPos{-1, -1};
    TF2Editor* m_f2Editor = nullptr;
    QMenu* m_popUpMenu = nullptr;
    QAction* m_popUpActions[4] = {};

    // navigation
    QPoint m_prevTarget, m_nextTarget;
    bool m_extending = false;
    QPoint m_extendAnchor, m_extendEnd;
    int m_resizeCol = -1, m_resizeRow = -1, m_resizeColLeft = -1, m_resizeRowTop = -1;
    bool m_colResized = false, m_rowResized = false;
    int m_cursorKind = 0;
    Block m_mergedBlock;
};
