# The values of the JSON texts of the file "cases" (ended by 0x1D each),
# lone surrogates and all, in UTF-16, each ended by 0x1D.
import json, sys
printed = ""
for text in open("cases", encoding="utf-8").read().split("\x1D")[:-1]:
    try: value = json.loads(text)
    except ValueError as e: value = ascii(e)
    printed += (value if isinstance(value, str) else "not a string: " + ascii(value)) + "\x1D"
sys.stdout.buffer.write(printed.encode("utf-16-le", "surrogatepass"))
