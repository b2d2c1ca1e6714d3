import csv
import io
import subprocess

import numpy as np
import pytest

import vaporix


def bits(values):
    """Float64 bits with every NaN made the same NaN."""
    values = np.asarray(values, dtype=np.float64)
    return np.where(np.isnan(values), np.nan, values).view(np.uint64)


def inputs_for(pair, english):
    """Rows for a pair: states made from (p, t) or (p, x) grids, so most rows
    are ok, plus rows out of range and rows that are no numbers."""
    name = pair.split(".")[-1]
    saturation = pair.startswith("sat.") or name in ("px", "tx")
    space = vaporix.english if english else vaporix
    if saturation:
        p = np.repeat(np.geomspace(0.001, 21.0, 9), 5)
        x = np.tile([0.0, 12.5, 50.0, 99.0, 100.0], 9)
        if english:
            p = p * 145.03773773
        states = vaporix.state("px", p, x, english=english)
    else:
        p = np.repeat(np.geomspace(0.002, 95.0, 8), 6)
        t = np.tile([280.0, 400.0, 640.0, 700.0, 1000.0, 2000.0], 8)
        if english:
            p, t = p * 145.03773773, t * 1.8 - 459.67
        states = vaporix.state("pt", p, t, english=english)
    first, second = name[0], name[1]
    a = list(states[first]) + [1e308, -1.0, 5e-324, float("nan"), float("inf"), "abc"]
    b = list(states[second]) + [1.0, 1.0, 1.0, 1.0, 1.0, 1.0]
    del space
    return a, b


def run_cli(cli, pair, a, b, english):
    name = pair.split(".")[-1]
    command = [cli, "batch", "--threads", "2"]
    if pair.startswith("sat.") or name in ("px", "tx"):
        command.append("--sat")
    if english:
        command.append("--english")
    command.append(name)
    text = "a,b\n" + "".join("%s,%s\n" % (x if isinstance(x, str) else repr(float(x)),
                                           repr(float(y))) for x, y in zip(a, b))
    output = subprocess.run(command, input=text, capture_output=True, text=True, check=True,
                            timeout=120).stdout
    return list(csv.DictReader(io.StringIO(output)))


CASES = [
    ("pt", False), ("ph", False), ("hs", False), ("tv", False), ("pt", True), ("ps", True),
    ("px", False), ("sat.ph", False), ("sat.ts", False), ("tx", True), ("sat.th", True),
]


@pytest.mark.parametrize("pair, english", CASES,
                         ids=["%s-%s" % (pair, "english" if english else "si")
                              for pair, english in CASES])
def test_state_equals_cli_batch_bit_for_bit(cli, pair, english):
    a, b = inputs_for(pair, english)
    rows = run_cli(cli, pair, a, b, english)
    result = vaporix.state(pair, np.array(a, dtype=object), np.array(b, dtype=object),
                           english=english)
    assert len(rows) == len(result)
    assert [row["status"] for row in rows] == list(result["status"])
    assert sum(row["status"] == "ok" for row in rows) > len(rows) // 2
    for key in vaporix.properties:
        expected = [float("nan") if row[key] in ("", "N/A") else float(row[key]) for row in rows]
        np.testing.assert_array_equal(bits(result[key]), bits(expected), err_msg=key)


def test_thread_count_does_not_change_a_bit():
    rng = np.random.default_rng(13)
    p = rng.uniform(0.0005, 110.0, 30000)
    h = rng.uniform(-50.0, 4200.0, 30000)
    one = vaporix.state("ph", p, h, threads=1)
    for threads in (2, 3, 8, None):
        assert vaporix.state("ph", p, h, threads=threads).tobytes() == one.tobytes(), threads
    # A ufunc yields the same values as the state of its pair.
    np.testing.assert_array_equal(bits(vaporix.ph.t(p, h)), bits(one["t"]))
    np.testing.assert_array_equal(bits(vaporix.ph.dv(p, h)), bits(one["dv"]))


def test_state_shape_status_and_options():
    result = vaporix.state("pt", [[3.0], [80.0]], [300.0, 500.0, np.nan], transport=False)
    assert result.shape == (2, 3)
    assert list(result["status"][0]) == ["ok", "ok", "bad_input"]
    assert np.isnan(result["dv"]).all() and not np.isnan(result["h"][:, :2]).any()
    assert vaporix.state("ph", 3.0, 100.0, sat=True)["status"] == "out_of_range"
    assert vaporix.state("sat.ph", 1.0, 1500.0)["x"] == vaporix.sat.ph.x(1.0, 1500.0)
    with pytest.raises(ValueError):
        vaporix.state("pt", 3.0, 300.0, threads=0)


def test_pandas_series_and_frame():
    pd = pytest.importorskip("pandas")
    table = pd.DataFrame({"p": [3.0, 80.0, -1.0], "t": [300.0, 500.0, 300.0]},
                         index=["a", "b", "c"])
    h = vaporix.pt.h(table.p, table.t)
    assert isinstance(h, pd.Series) and list(h.index) == ["a", "b", "c"]
    assert h["a"] == vaporix.pt.h(3.0, 300.0) and np.isnan(h["c"])
    frame = vaporix.frame("pt", table.p, table.t)
    assert list(frame.columns) == list(vaporix.properties) + ["status"]
    assert list(frame.index) == ["a", "b", "c"]
    assert list(frame.status) == ["ok", "ok", "out_of_range"]
    assert frame.loc["b", "h"] == vaporix.pt.h(80.0, 500.0)


def test_state_fills_a_given_array():
    rows = vaporix.state("pt", [3.0, 80.0], [300.0, 500.0])
    h = rows["h"] + 10.0
    assert vaporix.state("ph", [3.0, 80.0], h, out=rows) is rows
    np.testing.assert_array_equal(rows["t"], vaporix.ph.t([3.0, 80.0], h))
    with pytest.raises(ValueError):
        vaporix.state("pt", [3.0, 80.0], [300.0, 500.0], out=rows[::-1])
