#!/usr/bin/python3
"""Reads an .xls file with independent readers (olefile, xlrd) and prints what they see.

usage: read_back.py FILE.xls
Exit: 0 read cleanly, 1 a reader refused the file or warned, 77 a reader is not installed.
"""
import sys
import warnings

try:
    import olefile
    import xlrd
except ImportError as error:
    print(f"SKIP: {error}")
    sys.exit(77)


def main(path):
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
        streams = ["/".join(entry) for entry in ole.listdir()]
        sizes = {name: ole.get_size(name) for name in streams}
        ole.close()
    if caught:
        print("olefile warned:", "; ".join(str(w.message) for w in caught))
        return 1
    print("streams:", sizes)
    log = []

    class Log:
        def write(self, text):
            if text.strip():
                log.append(text.strip())

    book = xlrd.open_workbook(path, formatting_info=True, logfile=Log())
    for sheet in book.sheets():
        print(f"sheet {sheet.name!r}: {sheet.nrows} rows, {sheet.ncols} columns")
        for row in range(sheet.nrows):
            for col in range(sheet.ncols):
                cell = sheet.cell(row, col)
                if cell.ctype != xlrd.XL_CELL_EMPTY:
                    print(f"  {row + 1}\t{col + 1}\t{xlrd.sheet.ctype_text.get(cell.ctype)}\t{cell.value!r}")
    if log:
        print("xlrd reported:", "; ".join(log))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
