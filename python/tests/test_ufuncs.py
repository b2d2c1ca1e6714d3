import pickle
import warnings

import numpy as np
import pytest

import vaporix

# IAPWS-IF97 verification values (Tables 5, 15, 33, 35 and 36 of the release,
# and those of the region-5 equation of 1997, up to 10 MPa, which the engine
# implements), nine significant digits: (ufunc, inputs, expected).
VERIFICATION = [
    ("region1 v", vaporix.pt.v, (3.0, 300.0), 0.100215168e-2),
    ("region1 h", vaporix.pt.h, (80.0, 300.0), 0.184142828e3),
    ("region1 u", vaporix.pt.u, (3.0, 500.0), 0.971934985e3),
    ("region1 s", vaporix.pt.s, (3.0, 300.0), 0.392294792),
    ("region1 cp", vaporix.pt.cp, (80.0, 300.0), 0.401008987e1),
    ("region1 w", vaporix.pt.w, (3.0, 500.0), 0.124071337e4),
    ("region2 v", vaporix.pt.v, (0.0035, 700.0), 0.923015898e2),
    ("region2 h", vaporix.pt.h, (0.0035, 300.0), 0.254991145e4),
    ("region2 s", vaporix.pt.s, (30.0, 700.0), 0.517540298e1),
    ("region2 cp", vaporix.pt.cp, (30.0, 700.0), 0.103505092e2),
    ("region2 w", vaporix.pt.w, (0.0035, 700.0), 0.644289068e3),
    ("region3 p", vaporix.tv.p, (650.0, 1 / 500.0), 0.255837018e2),
    ("region3 h", vaporix.tv.h, (650.0, 1 / 200.0), 0.237512401e4),
    ("region3 s", vaporix.tv.s, (750.0, 1 / 500.0), 0.446971906e1),
    ("region3 w", vaporix.tv.w, (650.0, 1 / 500.0), 0.502005554e3),
    ("region5 v", vaporix.pt.v, (0.5, 1500.0), 0.138455354e1),
    ("region5 h", vaporix.pt.h, (8.0, 2000.0), 0.658380291e4),
    ("region5 s", vaporix.pt.s, (0.5, 1500.0), 0.965408431e1),
    ("region5 w", vaporix.pt.w, (0.5, 1500.0), 0.917071933e3),
    ("psat 300 K", vaporix.tx.p, (300.0, 0.0), 0.353658941e-2),
    ("psat 500 K", vaporix.tx.p, (500.0, 100.0), 0.263889776e1),
    ("psat 600 K", vaporix.tx.p, (600.0, 50.0), 0.123443146e2),
    ("Tsat 0.1 MPa", vaporix.px.t, (0.1, 0.0), 0.372755919e3),
    ("Tsat 1 MPa", vaporix.px.t, (1.0, 100.0), 0.453035632e3),
    ("Tsat 10 MPa", vaporix.px.t, (10.0, 50.0), 0.584149488e3),
]


@pytest.mark.parametrize("ufunc, inputs, expected", [row[1:] for row in VERIFICATION],
                         ids=[row[0] for row in VERIFICATION])
def test_verification_values(ufunc, inputs, expected):
    assert ufunc(*inputs) == pytest.approx(expected, rel=1e-8)


# Solved pairs come back to the (p, T) they were made from, in every region
# the pair reaches, and the region is the one of the state.
ROUND_TRIPS = [
    ("ph region1", vaporix.ph.t, vaporix.pt.h, 3.0, 500.0, 1),
    ("ph region2", vaporix.ph.t, vaporix.pt.h, 5.0, 800.0, 2),
    ("ph region3", vaporix.ph.t, vaporix.pt.h, 25.0, 650.0, 3),
    ("ps region2", vaporix.ps.t, vaporix.pt.s, 0.0035, 700.0, 2),
    ("ph region5", vaporix.ph.t, vaporix.pt.h, 8.0, 2000.0, 5),
]


@pytest.mark.parametrize("solve, forward, p, t, region", [row[1:] for row in ROUND_TRIPS],
                         ids=[row[0] for row in ROUND_TRIPS])
def test_round_trip(solve, forward, p, t, region):
    second = forward(p, t)
    assert solve(p, second) == pytest.approx(t, rel=1e-7)
    assert vaporix.pt.region(p, t) == region


def test_critical_point_and_two_phase_values():
    # The saturation line ends at the critical point; x applies to wet steam only.
    assert vaporix.tx.p(647.096, 50.0) == pytest.approx(22.064, rel=1e-6)
    assert np.isnan(vaporix.tx.p(647.2, 50.0))
    assert vaporix.sat.ph.x(1.0, vaporix.px.h(1.0, 30.0)) == pytest.approx(30.0, rel=1e-9)
    assert np.isnan(vaporix.pt.x(3.0, 300.0))
    assert vaporix.px.region(1.0, 30.0) == 4


def test_broadcasting_column_by_row():
    p = np.array([[0.1], [3.0], [80.0]])
    t = np.array([[300.0, 500.0, 700.0, 1000.0]])
    h = vaporix.pt.h(p, t)
    assert h.shape == (3, 4) and h.dtype == np.float64
    for i in range(3):
        for j in range(4):
            assert h[i, j] == vaporix.pt.h(p[i, 0], t[0, j])


def test_out_and_where():
    p = np.array([3.0, 3.0, 80.0])
    t = np.array([300.0, 500.0, 300.0])
    out = np.full(3, -7.0)
    result = vaporix.pt.h(p, t, out=out, where=np.array([True, False, True]))
    assert result is out
    assert out[1] == -7.0
    assert out[0] == vaporix.pt.h(3.0, 300.0) and out[2] == vaporix.pt.h(80.0, 300.0)
    with pytest.raises(ValueError):
        vaporix.pt.h(np.ones(3), np.ones(4))  # numpy's own shape error


@pytest.mark.parametrize("dtype", [np.float16, np.float32, np.int64, np.longdouble, object])
def test_any_real_dtype_gives_float64(dtype):
    p = np.array([3, 80], dtype=dtype)
    t = np.array([300, 300], dtype=dtype)
    result = vaporix.pt.h(p, t)
    assert result.dtype == np.float64
    np.testing.assert_array_equal(result, vaporix.pt.h(np.array([3.0, 80.0]), 300.0))


BAD = [np.nan, np.inf, -np.inf, -3.0, 0.0, 1e308, 5e-324, -0.0]


def test_bad_elements_are_nan_without_warnings():
    good = np.array([3.0])
    with warnings.catch_warnings(), np.errstate(all="raise"):
        warnings.simplefilter("error")
        for bad in BAD:
            for a, b in ((bad, 300.0), (3.0, bad)):
                assert np.isnan(vaporix.pt.h(a, b)), (a, b)
                assert np.isnan(vaporix.english.sat.ph.t(a, b)), (a, b)
        mixed = np.array([3.0, "3", None, b"x", [1], 80.0], dtype=object)
        result = vaporix.pt.h(mixed, 300.0)
        assert result[0] == vaporix.pt.h(good, 300.0)[0] and result[5] == vaporix.pt.h(80.0, 300.0)
        assert np.isnan(result[1:5]).all()
        huge = np.array([np.finfo(np.longdouble).max, 3.0], dtype=np.longdouble)
        assert np.isnan(vaporix.pt.h(huge, 300.0)[0])


def test_unknown_names_are_value_errors_naming_the_valid_ones():
    with pytest.raises(ValueError, match="pt ph ps"):
        vaporix.ufunc("pq", "h")
    with pytest.raises(ValueError, match="iJTC"):
        vaporix.ufunc("pt", "enthalpy")
    with pytest.raises(ValueError, match="Sigma"):
        vaporix.ph.nothing
    with pytest.raises(ValueError, match="px tx ph"):
        vaporix.english.sat.pt
    with pytest.raises(ValueError, match="px tx"):
        vaporix.state("xy", 1.0, 1.0)
    assert not hasattr(vaporix.ph, "nothing")
    assert vaporix.ufunc("ph", "x", sat=True) is vaporix.sat.ph.x
    assert vaporix.ufunc("px", "d", english=True) is vaporix.english.sat.px.d


@pytest.mark.parametrize("ufunc, units", [
    (vaporix.ph.t, ["t [K]", "p [MPa]", "h [kJ/kg]", "NaN"]),
    (vaporix.english.pt.h, ["h [Btu/lb]", "p [psi]", "t [°F]"]),
    (vaporix.sat.ps.dv, ["dv [µPa·s]", "s [kJ/(kg·K)]", "saturation"]),
])
def test_docstrings_tell_units(ufunc, units):
    for text in units:
        assert text in ufunc.__doc__


@pytest.mark.parametrize("ufunc", [vaporix.ph.t, vaporix.sat.ph.x, vaporix.px.d,
                                   vaporix.english.sat.th.s, vaporix.english.tx.region])
def test_ufuncs_pickle_by_name(ufunc):
    # Qualified names need pickle protocol 4 or later (the default).
    for protocol in (pickle.DEFAULT_PROTOCOL, pickle.HIGHEST_PROTOCOL):
        assert pickle.loads(pickle.dumps(ufunc, protocol)) is ufunc


def test_every_pair_and_property_has_a_ufunc():
    for name in vaporix.pairs:
        for key in vaporix.properties:
            assert isinstance(vaporix.ufunc(name, key), np.ufunc)
    assert len(vaporix.pairs) == 29 and len(vaporix.properties) == 30
