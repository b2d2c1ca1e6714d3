"""Water and steam properties by IAPWS-IF97, as numpy ufuncs and whole-state arrays.

Every input pair is a namespace of ufuncs, one per property::

    vaporix.pt.h(p, t)        # enthalpy [kJ/kg] from p [MPa] and t [K]
    vaporix.ph.t(p, h)        # temperature [K] from p [MPa] and h [kJ/kg]
    vaporix.px.d(p, x)        # density [kg/m³] of wet steam from p [MPa] and x [%]
    vaporix.sat.ph.x(p, h)    # quality [%] from the saturation pair (p, h)
    vaporix.english.pt.h(p, t)  # the same ufuncs in psi, °F, Btu/lb, ...

The fourteen single-phase pairs live at the top (``vaporix.ph``); the fifteen
saturation pairs under ``vaporix.sat`` (``vaporix.sat.ph`` solves on the
saturation line or in the two-phase region only). ``px`` and ``tx``, which
only exist as saturation pairs, are also at the top. The ufuncs broadcast,
take ``out=`` and ``where=``, accept any real dtype (and object arrays) and
return float64 with NaN where a state or a value does not exist. They release
the GIL, use one engine per thread and pickle by name.

``state()`` solves each state once and returns all thirty properties with a
``status`` per row; ``frame()`` returns the same as a pandas DataFrame.

SI units as vaporix-cli: MPa, K, kJ/kg, kJ/(kg·K), m³/kg, kg/m³, % for the
quality, µPa·s, W/(m·K), mN/m, ...; see ``units()``.
"""

import operator as _operator
import sys as _sys

import numpy as _np

from . import _core

__all__ = ["state", "frame", "ufunc", "units", "pairs", "properties", "UnknownNameError"]

#: The thirty property keys in property-number order, as vaporix-cli names them.
properties = tuple(row[0] for row in _core.PROPERTIES)

#: Pair names: single-phase pairs by name, saturation pairs as "sat.<name>".
pairs = tuple(("sat." if sat else "") + name for name, sat, *_ in _core.PAIRS)

_SINGLE_PHASE = {name: i for i, (name, sat, *_) in enumerate(_core.PAIRS) if not sat}
_SATURATION = {name: i for i, (name, sat, *_) in enumerate(_core.PAIRS) if sat}

_STATE_DTYPE = _np.dtype(
    [(key, _np.float64) for key in properties] + [("status", "U%d" % _core.STATUS_CHARS)]
)


class UnknownNameError(ValueError, AttributeError):
    """An unknown input pair or property name; also an AttributeError, so
    ``hasattr`` and ``getattr(..., default)`` keep working."""


def _pair_list():
    return "single-phase pairs: %s; saturation pairs (sat=True or 'sat.<name>'): %s" % (
        " ".join(_SINGLE_PHASE),
        " ".join(_SATURATION),
    )


def _unknown_property(namespace, key):
    raise UnknownNameError(
        "unknown property %r of vaporix.%s; properties: %s" % (key, namespace, " ".join(properties))
    )


def _namespace_getattr(namespace):
    def __getattr__(key):
        if key.startswith("__"):
            raise AttributeError(key)
        if namespace in ("sat", "english", "english.sat"):
            raise UnknownNameError(
                "vaporix.%s has no input pair %r; %s" % (namespace, key, _pair_list())
            )
        _unknown_property(namespace, key)

    return __getattr__


# The namespaces the core generated from the engine's tables, importable as
# vaporix.ph, vaporix.sat.ph, vaporix.english.ph, ...
for _name, _namespace in _core.NAMESPACES.items():
    _sys.modules[__name__ + "." + _name] = _namespace
    if "." not in _name:
        globals()[_name] = _namespace
    _namespace.__getattr__ = _namespace_getattr(_name)
del _name, _namespace


def __getattr__(name):
    if name.startswith("__"):
        raise AttributeError(name)
    raise UnknownNameError("module 'vaporix' has no attribute %r; %s" % (name, _pair_list()))


def _pair_index(pair, sat):
    """The row of the engine's pair table for a name, or a ValueError naming the valid ones."""
    if not isinstance(pair, str):
        raise UnknownNameError("an input pair is a name such as 'pt'; %s" % _pair_list())
    name = pair
    if name.startswith("sat."):
        name, sat = name[4:], True
    if sat:
        index = _SATURATION.get(name)
    else:
        # A name only the saturation pairs have (px, tx) needs no sat=True.
        index = _SINGLE_PHASE.get(name, _SATURATION.get(name))
    if index is None:
        raise UnknownNameError(
            "unknown %sinput pair %r; %s" % ("saturation " if sat else "", pair, _pair_list())
        )
    return index


def ufunc(pair, prop, *, sat=False, english=False):
    """The ufunc of property key ``prop`` over input pair ``pair``.

    ``ufunc("ph", "t")`` is ``vaporix.ph.t``; ``ufunc("ph", "x", sat=True)``
    (or ``ufunc("sat.ph", "x")``) is ``vaporix.sat.ph.x``; ``english=True``
    gives the ufunc of ``vaporix.english``. An unknown pair or property is a
    ValueError naming the valid ones.
    """
    name, saturation = _core.PAIRS[_pair_index(pair, sat)][:2]
    root = _sys.modules[__name__ + ".english"] if english else _sys.modules[__name__]
    namespace = getattr(getattr(root, "sat"), name) if saturation else getattr(root, name)
    if prop not in properties:
        _unknown_property(namespace.__name__[len(__name__) + 1 :], prop)
    return getattr(namespace, prop)


def units(english=False):
    """Dict of property key -> unit text: SI as vaporix-cli (MPa, K, kJ/kg, ...)
    or English with ``english=True`` (psi, °F, Btu/lb, ...)."""
    return {key: (eng if english else si) for key, _, si, eng, _ in _core.PROPERTIES}


def _as_float(value):
    if isinstance(value, (str, bytes)):
        return _np.nan
    try:
        return float(value)
    except (TypeError, ValueError, OverflowError):
        return _np.nan


_as_float_elements = _np.frompyfunc(_as_float, 1, 1)


def _float_input(values):
    """An input as float64; elements that are no number become NaN."""
    array = _np.asarray(values)
    if array.dtype.kind in "fiub":
        with _np.errstate(all="ignore"):  # a huge long double becomes inf: bad input
            return array.astype(_np.float64, copy=False)
    if array.dtype.kind in "OUS":
        return _np.asarray(_as_float_elements(array), dtype=_np.float64)
    raise TypeError("inputs of dtype %s are not real numbers" % array.dtype)


def state(pair, a, b, *, sat=False, english=False, transport=True, threads=None, out=None):
    """Solve every state of an input pair once and return all thirty properties.

    Parameters
    ----------
    pair : str
        Input pair name as vaporix-cli names it: a single-phase pair
        ({single_phase}) or, with ``sat=True`` or written "sat.<name>", a
        saturation pair ({saturation}); a name only saturation pairs have
        needs no ``sat``.
    a, b : array_like
        The two inputs in the order of the pair's name, broadcast together,
        in the units of vaporix-cli: {inputs_si}; with ``english=True``:
        {inputs_english}. Elements that are no number (NaN, inf, text) give
        rows with status "bad_input".
    sat : bool
        Take the saturation pair of that name (the two-phase solver alone).
    english : bool
        Inputs and outputs in English units, as ``vaporix-cli --english``.
    transport : bool
        Also compute the transport properties ({transport}); with False they
        are NaN and the call is faster.
    threads : int or None
        Number of threads (default: the cores; fewer when each would get
        less than a few thousand rows). The result is bit-identical for
        every thread count.
    out : ndarray, optional
        A C-contiguous array of the broadcast shape and the dtype of a
        previous result, to be filled and returned instead of a new array
        (saves allocating {row_bytes} bytes per state when called repeatedly).

    Returns
    -------
    numpy structured array of the broadcast shape with one float64 field per
    property key, in property-number order, SI units ({properties}; English
    units with ``english=True``: see ``units(english=True)``), and a field ``status``:
    "ok", "out_of_range" (no state within IF97) or "bad_input" (NaN, infinite
    or not a number). Values equal those of ``vaporix-cli batch`` bit for bit;
    what the CLI prints as "N/A" is NaN, and every value of a row that is not
    "ok" is NaN.
    """
    index = _pair_index(pair, sat)
    if threads is None:
        threads = 0
    else:
        try:
            count = _operator.index(threads)
        except TypeError:
            count = 0
        if isinstance(threads, bool) or count < 1:
            raise ValueError("threads must be a positive integer or None, not %r" % (threads,))
        threads = count
    first, second = _np.broadcast_arrays(_float_input(a), _float_input(b))
    shape = first.shape
    if out is not None and (
        not isinstance(out, _np.ndarray)
        or out.dtype != _STATE_DTYPE
        or out.shape != shape
        or not out.flags.c_contiguous
        or not out.flags.writeable
    ):
        raise ValueError(
            "out must be a writeable C-contiguous array of the state dtype and of shape %s" % (shape,)
        )
    result = _core.solve(
        index,
        _np.ascontiguousarray(first).reshape(-1),
        _np.ascontiguousarray(second).reshape(-1),
        bool(english),
        bool(transport),
        threads,
        _STATE_DTYPE if out is None else out.reshape(-1),
    )
    return out if out is not None else result.reshape(shape)


def _quantity_units(english):
    seen = {}
    for _, _, first, second, si1, si2, en1, en2 in _core.PAIRS:
        seen.setdefault(first, en1 if english else si1)
        seen.setdefault(second, en2 if english else si2)
    return ", ".join("%s [%s]" % item for item in seen.items())


if state.__doc__:  # the lists in the docstring come from the engine's tables
    state.__doc__ = state.__doc__.format(
        single_phase=", ".join(_SINGLE_PHASE),
        saturation=", ".join(_SATURATION),
        inputs_si=_quantity_units(False),
        inputs_english=_quantity_units(True),
        properties=", ".join("%s [%s]" % item for item in units().items()),
        transport=", ".join(row[0] for row in _core.PROPERTIES if row[4]),
        row_bytes=_STATE_DTYPE.itemsize,
    )


def frame(pair, a, b, *, sat=False, english=False, transport=True, threads=None):
    """``state()`` as a pandas DataFrame: one column per property key, then
    ``status`` (a categorical of ok / out_of_range / bad_input). A pandas
    Series input lends its index. Units as ``state()``; pandas is imported
    only here."""
    import pandas as pd

    rows = state(pair, a, b, sat=sat, english=english, transport=transport, threads=threads)
    if rows.ndim != 1:
        rows = rows.reshape(-1)
    index = None
    for given in (a, b):
        if isinstance(given, pd.Series) and len(given) == len(rows):
            index = given.index
            break
    columns = {key: rows[key] for key in properties}
    columns["status"] = pd.Categorical(rows["status"], categories=_core.STATUSES)
    return pd.DataFrame(columns, index=index)
