// Tables: rows from the row groups, column widths from the cells' percentage,
// fixed and content widths, cell spacing and padding, cells centred
// vertically in their row.
#include <algorithm>
#include <numeric>

#include "htmlform/layout_engine.h"

namespace tarnwick::htmlform {

using namespace std::string_view_literals;
namespace {

constexpr int kDefaultSpacing = 2;
constexpr int kDefaultPadding = 1;

struct TableRow {
    Element* row = nullptr;
    Element* group = nullptr;
    std::vector<Element*> cells;
};

struct Column {
    int min = 0;
    int max = 0;
    int percent = 0;
    int fixed = 0;
};

// The table's attributes that decide its grid.
struct Grid {
    int spacing = kDefaultSpacing;
    int padding = kDefaultPadding;
    int cellBorder = 0;
};

int AttributePixels(const Element& element, std::u16string_view name, int fallback) {
    const std::u16string* text = element.findAttribute(name);
    if (!text) return fallback;
    Length length = ParseLength(*text);
    return length.set && !length.percent ? std::min(length.value, 1000) : fallback;
}

}  // namespace

namespace {

class TableLayout {
public:
    TableLayout(LayoutEngine& engine, Element& table) : engine_(engine), table_(table), style_(engine.style(table)) {
        readGrid();
        readRows();
        readColumns();
    }

    Intrinsic intrinsic() const {
        long long min = frame();
        long long max = frame();
        for (const Column& column : columns_) {
            min += column.min;
            max += std::max(column.max, column.fixed);
        }
        Intrinsic result{ClampPixels(min), ClampPixels(max)};
        if (!style_.width.set || style_.width.percent) return result;
        int fixed = std::max(result.min, style_.width.value);
        return {fixed, fixed};
    }

    int layout(int x, int y, int available) {
        int outer = std::max(0, available - style_.margin.horizontal());
        int width = tableWidth(outer);
        std::vector<int> widths = columnWidths(width - frame());
        width = std::max(width, ClampPixels(std::accumulate(widths.begin(), widths.end(), 0LL) + frame()));
        int left = x + style_.margin.left + (style_.centred ? std::max(0, (outer - width) / 2) : 0);
        int top = y + style_.margin.top;
        int cursor = top + style_.border.top + (rows_.empty() ? 0 : grid_.spacing);
        for (TableRow& row : rows_)
            cursor = ClampPixels(static_cast<long long>(cursor) + layoutRow(row, widths, left, cursor) + grid_.spacing);
        int height = cursor - top + style_.border.bottom;
        setBox(table_, {left, top, width, height});
        for (TableRow& row : rows_)
            if (row.group) {
                LayoutBox& group = row.group->mutableLayoutBox();
                Rect rect = row.row->layoutBox().rect;
                if (!group.rendered) setBox(*row.group, rect);
                else group.rect = {group.rect.x, group.rect.y, group.rect.width, rect.bottom() - group.rect.y};
            }
        return height + style_.margin.vertical();
    }

private:
    int frame() const {
        long long count = static_cast<long long>(columns_.size());
        return ClampPixels(style_.border.horizontal() + (count > 0 ? grid_.spacing * (count + 1) : 0));
    }

    void readGrid() {
        grid_.spacing = style_.borderCollapse ? 0 : AttributePixels(table_, u"cellspacing", kDefaultSpacing);
        grid_.padding = AttributePixels(table_, u"cellpadding", kDefaultPadding);
        grid_.cellBorder = style_.border.left > 0 ? 1 : 0;
    }

    void readRows() {
        for (const auto& child : table_.childNodes()) {
            Element* element = child->asElement();
            if (!element) continue;
            Display display = engine_.style(*element).display;
            if (display == Display::RowGroup) {
                for (Element* row : element->children())
                    if (engine_.style(*row).display == Display::Row) addRow(*row, element);
            } else if (display == Display::Row) {
                addRow(*element, nullptr);
            }
        }
    }

    void addRow(Element& row, Element* group) {
        TableRow entry{&row, group, {}};
        for (Element* cell : row.children())
            if (engine_.style(*cell).display == Display::Cell) entry.cells.push_back(cell);
        rows_.push_back(std::move(entry));
    }

    Edges cellEdges(const Element& cell) {
        const ComputedStyle& cs = engine_.style(cell);
        Edges padding = cs.paddingSet ? cs.padding : Edges{grid_.padding, grid_.padding, grid_.padding, grid_.padding};
        int border = grid_.cellBorder;
        return {padding.top + border, padding.right + border, padding.bottom + border, padding.left + border};
    }

    void readColumns() {
        for (const TableRow& row : rows_) {
            if (columns_.size() < row.cells.size()) columns_.resize(row.cells.size());
            for (std::size_t c = 0; c < row.cells.size(); ++c) {
                Element& cell = *row.cells[c];
                Intrinsic content = engine_.intrinsicContents(cell);
                int edges = cellEdges(cell).horizontal();
                Column& column = columns_[c];
                column.min = std::max(column.min, content.min + edges);
                column.max = std::max(column.max, content.max + edges);
                const Length& width = engine_.style(cell).width;
                if (width.set && width.percent) column.percent = std::max(column.percent, std::min(width.value, 100));
                if (width.set && !width.percent) column.fixed = std::max(column.fixed, width.value + edges);
            }
        }
        for (Column& column : columns_) column.max = std::max({column.max, column.min, column.fixed});
    }

    // The border-box width: as specified, else what the content asks for (as
    // the percentages require) within the room there is.
    int tableWidth(int outer) const {
        Intrinsic content = intrinsic();
        if (style_.width.set) return std::max(content.min, style_.width.resolve(outer));
        long long wanted = content.max;
        long long percentSum = 0;
        long long otherMax = 0;
        for (const Column& column : columns_) {
            if (column.percent > 0) {
                wanted = std::max(wanted, column.max * 100LL / column.percent + frame());
                percentSum += column.percent;
            } else {
                otherMax += column.max;
            }
        }
        if (percentSum > 0 && percentSum < 100)
            wanted = std::max(wanted, otherMax * 100 / (100 - percentSum) + frame());
        if (percentSum >= 100 && otherMax > 0) wanted = outer;
        return std::max(content.min, std::min(outer, ClampPixels(wanted)));
    }

    std::vector<int> columnWidths(int inner) const {
        std::vector<int> widths;
        for (const Column& column : columns_) widths.push_back(column.min);
        int used = ClampPixels(std::accumulate(widths.begin(), widths.end(), 0LL));
        // Percentage and fixed columns first, then the others up to their content, then the rest.
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const Column& column = columns_[c];
            int want =
                column.percent > 0 ? ClampPixels(static_cast<long long>(inner) * column.percent / 100) : column.fixed;
            if (want > widths[c]) {
                int grow = std::min(want - widths[c], std::max(0, inner - used));
                widths[c] += grow;
                used += grow;
            }
        }
        auto isAuto = [&](std::size_t c) { return columns_[c].percent == 0 && columns_[c].fixed == 0; };
        long long autoNeedSum = 0;
        for (std::size_t c = 0; c < columns_.size(); ++c)
            if (isAuto(c)) autoNeedSum += columns_[c].max - widths[c];
        int autoNeed = ClampPixels(autoNeedSum);
        int room = std::max(0, inner - used);
        if (autoNeed > 0) {
            int give = std::min(room, autoNeed);
            int given = 0;
            for (std::size_t c = 0; c < columns_.size(); ++c)
                if (isAuto(c)) {
                    int share =
                        static_cast<int>(static_cast<long long>(give) * (columns_[c].max - widths[c]) / autoNeed);
                    widths[c] += share;
                    given += share;
                }
            used = ClampPixels(static_cast<long long>(used) + given);
            room = std::max(0, inner - used);
        }
        spread(widths, room, isAuto);
        return widths;
    }

    // What is left goes to the automatic columns by their content width, or to all when there are none.
    template <typename IsAuto>
    void spread(std::vector<int>& widths, int room, IsAuto isAuto) const {
        if (room <= 0 || widths.empty()) return;
        std::vector<std::size_t> takers;
        for (std::size_t c = 0; c < widths.size(); ++c)
            if (isAuto(c)) takers.push_back(c);
        if (takers.empty())
            for (std::size_t c = 0; c < widths.size(); ++c) takers.push_back(c);
        long long weight = 0;
        for (std::size_t c : takers) weight += std::max(1, widths[c]);
        int given = 0;
        for (std::size_t c : takers) {
            int share = static_cast<int>(room * static_cast<long long>(std::max(1, widths[c])) / weight);
            widths[c] += share;
            given += share;
        }
        widths[takers.back()] += room - given;
    }

    int layoutRow(TableRow& row, const std::vector<int>& widths, int left, int top) {
        int cellX = left + style_.border.left + grid_.spacing;
        int height = 0;
        std::vector<int> contentHeights;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            Element& cell = *row.cells[c];
            Edges edges = cellEdges(cell);
            int width = widths[c];
            int content = engine_.layoutContents(cell, cellX + edges.left, top + edges.top,
                                                 std::max(0, width - edges.horizontal()));
            contentHeights.push_back(content);
            height = std::max(height, content + edges.vertical());
            setBox(cell, {cellX, top, width, 0});
            cellX = ClampPixels(static_cast<long long>(cellX) + width + grid_.spacing);
        }
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            Element& cell = *row.cells[c];
            LayoutBox& box = cell.mutableLayoutBox();
            box.rect.height = height;
            int slack = height - contentHeights[c] - cellEdges(cell).vertical();
            std::u16string valign = cell.getAttribute(u"valign");
            if (valign.empty()) valign = row.row->getAttribute(u"valign");
            if (slack > 0 && valign != u"top"sv)
                for (const auto& child : cell.childNodes())
                    LayoutEngine::shift(*child, 0, valign == u"bottom"sv ? slack : slack / 2);
        }
        int rowLeft = left + style_.border.left + grid_.spacing;
        int rowWidth = std::max(0, cellX - grid_.spacing - rowLeft);
        if (row.cells.empty()) rowWidth = 0;
        setBox(*row.row, {rowLeft, top, rowWidth, height});
        return height;
    }

    void setBox(Element& element, Rect rect) {
        LayoutBox& box = element.mutableLayoutBox();
        box.rendered = true;
        box.rect = rect;
        box.font = engine_.style(element).font;
        box.align = engine_.style(element).align;
    }

    LayoutEngine& engine_;
    Element& table_;
    const ComputedStyle& style_;
    Grid grid_;
    std::vector<TableRow> rows_;
    std::vector<Column> columns_;
};

}  // namespace

int LayoutEngine::layoutTable(Element& table, int x, int y, int available) {
    return TableLayout(*this, table).layout(x, y, available);
}

Intrinsic LayoutEngine::intrinsicTable(Element& table) {
    auto found = intrinsics_.find(&table);
    if (found != intrinsics_.end()) return found->second;
    Intrinsic result = TableLayout(*this, table).intrinsic();
    intrinsics_.emplace(&table, result);
    return result;
}

}  // namespace tarnwick::htmlform
