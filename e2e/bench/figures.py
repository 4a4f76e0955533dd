"""Summaries of measured samples and the table they are printed in."""

import math
import statistics


def summary(samples):
    """median, p95 (nearest rank), min and max of a non-empty list."""
    ordered = sorted(samples)
    rank = math.ceil(0.95 * len(ordered)) - 1
    return {"n": len(ordered), "median": statistics.median(ordered), "p95": ordered[rank],
            "min": ordered[0], "max": ordered[-1]}


def table(header, rows):
    """Left-aligned first column, right-aligned figures, columns as wide as their widest cell."""
    cells = [list(map(str, header))] + [[str(cell) for cell in row] for row in rows]
    widths = [max(len(row[i]) for row in cells) for i in range(len(header))]

    def line(row):
        return "  ".join([row[0].ljust(widths[0])] +
                         [cell.rjust(width) for cell, width in zip(row[1:], widths[1:])])

    rule = "  ".join("-" * width for width in widths)
    return "\n".join([line(cells[0]), rule] + [line(row) for row in cells[1:]])
