# Counts the requests a traced Wine server (wineserver -d1) logged for the
# given threads between the marks bench_harness sets (see its "requests").
#   awk -v threads="0024 0030" -f bench/server-requests.awk TRACE
# Prints "requests N", "repaints N" (redraw_window, one per control repaint)
# and then "request-name N" for every request type seen.
BEGIN {
    n = split(threads, list, " ")
    for (i = 1; i <= n; ++i) mine[list[i]] = 1
}
/find_atom\(.*nox\.bench\.requests\.begin/ { inside = 1; next }
/find_atom\(.*nox\.bench\.requests\.end/ { inside = 0; next }
!inside { next }
{
    # "0024: name( args )" is a request, "0024: name() = STATUS { ... }" its reply.
    if (!match($0, /^[0-9a-f]+: [a-z_0-9]+\(/)) next
    if ($0 ~ /^[0-9a-f]+: [a-z_0-9]+\(\) = /) next
    thread = substr($0, 1, index($0, ":") - 1)
    if (!(thread in mine)) next
    name = substr($0, index($0, " ") + 1)
    name = substr(name, 1, index(name, "(") - 1)
    ++count[name]; ++total
}
END {
    printf "requests %d\nrepaints %d\n", total, count["redraw_window"]
    for (name in count) printf "%s %d\n", name, count[name]
}
