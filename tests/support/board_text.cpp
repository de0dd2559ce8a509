#include "support/board_text.h"

#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "world/game_world.h"

namespace test {

namespace {

    std::vector<std::vector<std::string>> Rows(std::string_view text)
    {
        std::vector<std::vector<std::string>> rows;
        std::istringstream lines { std::string(text) };
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream tokens(line);
            std::vector<std::string> row;
            std::string token;
            while (tokens >> token)
                row.push_back(token);
            if (!row.empty())
                rows.push_back(row);
        }
        return rows;
    }

} // namespace

void LoadBoard(cGameWorld& world, std::string_view text)
{
    const auto rows = Rows(text);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
            const std::string& token = rows[r][c];
            if (token == "#")
                continue;
            cFundament f;
            f.row = f.gridRow = r;
            f.column = f.gridColumn = c;
            f.direction = 9;
            f.autoType = token == "." ? -1 : std::stoi(token);
            f.alpha = 255;
            world.fundaments.push_back(f);
        }
    }
}

std::string BoardText(const cGameWorld& world, int rows, int columns)
{
    std::string text;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int f = world.FindFundamentAt(r, c);
            if (c > 0)
                text += ' ';
            if (f < 0)
                text += '#';
            else if (world.fundaments[f].autoType == -1)
                text += '.';
            else
                text += std::to_string(world.fundaments[f].autoType);
        }
        text += '\n';
    }
    return text;
}

std::string Normalised(std::string_view text)
{
    std::string out;
    for (const auto& row : Rows(text)) {
        for (std::size_t c = 0; c < row.size(); ++c)
            out += (c > 0 ? " " : "") + row[c];
        out += '\n';
    }
    return out;
}

} // namespace test
