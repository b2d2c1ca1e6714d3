// vaporix._core: numpy ufuncs and whole-state arrays over the IF97 engine. The
// whole Python surface is generated here from the engine's tables of input
// pairs, quantities and properties.

#define PY_SSIZE_T_CLEAN
#include <Python.h>
#define NPY_NO_DEPRECATED_API NPY_1_7_API_VERSION
#include <numpy/arrayobject.h>
#include <numpy/ufuncobject.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cfenv>
#include <cmath>
#include <cstring>
#include <deque>
#include <limits>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "vaporix/IF97Calculator.h"
#include "vaporix/InputPair.h"
#include "vaporix/Properties.h"

namespace {

using vaporix::Describe;
using vaporix::IF97Calculator;
using vaporix::InputPair;
using vaporix::InputPairInfo;
using vaporix::kInputPairCount;
using vaporix::kInputPairs;
using vaporix::kProperties;
using vaporix::kPropertyCount;
using vaporix::PropertyInfo;
using vaporix::QuantityInfo;
using vaporix::StateProperties;
using vaporix::TransportProperties;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// One engine per thread, initialised on first use: ufunc loops run on
// whichever thread numpy calls them from, with the GIL released.
IF97Calculator& ThreadEngine() {
  struct Engine {
    Engine() { calculator.Initialize(); }
    IF97Calculator calculator;
  };
  thread_local Engine engine;
  return engine.calculator;
}

// The engine's arithmetic raises floating-point flags as part of its work; a
// loop puts back the flags it found so numpy warns only about its own.
class FlagsKept {
 public:
  FlagsKept() { std::fegetexceptflag(&saved, FE_ALL_EXCEPT); }
  ~FlagsKept() { std::fesetexceptflag(&saved, FE_ALL_EXCEPT); }
  FlagsKept(const FlagsKept&) = delete;
  FlagsKept& operator=(const FlagsKept&) = delete;

 private:
  std::fexcept_t saved{};
};

// What one ufunc computes: a property of the states of one pair, in SI or
// English units.
struct UfuncTarget {
  InputPair pair;
  const PropertyInfo* property;
  bool english;
};

double PropertyOf(IF97Calculator& engine, const UfuncTarget& target, double a, double b) {
  StateProperties state{};
  TransportProperties transport{};
  const PropertyInfo& info = *target.property;
  if (!engine.Calculate(target.pair, a, b, state, transport, info.transportField != nullptr,
                        target.english) ||
      !IsAvailable(info, state, transport, Describe(target.pair).saturation)) {
    return kNaN;
  }
  return ValueOf(info, state, transport);
}

template <typename T>
double ReadNumber(const char* where) {
  T value;
  std::memcpy(&value, where, sizeof value);
  return static_cast<double>(value);
}

// A Python object as a number: NaN for text, None and anything without a
// float value (the loop runs with the GIL held).
template <>
double ReadNumber<PyObject*>(const char* where) {
  PyObject* object = nullptr;
  std::memcpy(&object, where, sizeof object);
  if (object == nullptr || PyUnicode_Check(object) || PyBytes_Check(object)) {
    return kNaN;
  }
  const double value = PyFloat_AsDouble(object);
  if (value == -1.0 && PyErr_Occurred() != nullptr) {
    PyErr_Clear();
    return kNaN;
  }
  return value;
}

template <typename T>
void PropertyLoop(char** args, const npy_intp* dimensions, const npy_intp* steps, void* data) {
  const UfuncTarget& target = *static_cast<const UfuncTarget*>(data);
  const FlagsKept flags;
  IF97Calculator& engine = ThreadEngine();
  const npy_intp count = dimensions[0];
  const char* first = args[0];
  const char* second = args[1];
  char* out = args[2];
  for (npy_intp i = 0; i < count; ++i) {
    const double value = PropertyOf(engine, target, ReadNumber<T>(first), ReadNumber<T>(second));
    std::memcpy(out, &value, sizeof value);
    first += steps[0];
    second += steps[1];
    out += steps[2];
  }
}

// Loops in numpy's order of preference: float32 and float64 without a cast,
// long double read directly (it does not cast safely to float64), objects
// element by element.
constexpr int kLoopCount = 4;
PyUFuncGenericFunction kLoops[kLoopCount] = {PropertyLoop<float>, PropertyLoop<double>,
                                             PropertyLoop<long double>, PropertyLoop<PyObject*>};
char kLoopTypes[kLoopCount * 3] = {NPY_FLOAT,  NPY_FLOAT,  NPY_DOUBLE,     NPY_DOUBLE,
                                   NPY_DOUBLE, NPY_DOUBLE, NPY_LONGDOUBLE, NPY_LONGDOUBLE,
                                   NPY_DOUBLE, NPY_OBJECT, NPY_OBJECT,     NPY_DOUBLE};

std::string_view UnitOf(const QuantityInfo& quantity, bool english) {
  return english ? quantity.englishUnit : quantity.siUnit;
}
std::string_view UnitOf(const PropertyInfo& property, bool english) {
  return english ? property.englishUnit : property.siUnit;
}

// A saturation pair keeps its plain name when no single-phase pair has it.
bool NeedsSatPrefix(const InputPairInfo& pair) {
  return pair.saturation && vaporix::FindInputPair(pair.name, false).has_value();
}

// The namespace of a pair below the package: "ph", "sat.ph", "px",
// "english.sat.ph", ...
std::string NamespaceOf(const InputPairInfo& pair, bool english) {
  std::string name = english ? "english." : "";
  if (NeedsSatPrefix(pair)) {
    name += "sat.";
  }
  name += pair.name;
  return name;
}

std::string Inputs(const InputPairInfo& pair, bool english) {
  const QuantityInfo& first = Describe(pair.first);
  const QuantityInfo& second = Describe(pair.second);
  std::string text;
  text += first.key;
  text += " [";
  text += UnitOf(first, english);
  text += "] and ";
  text += second.key;
  text += " [";
  text += UnitOf(second, english);
  text += "]";
  return text;
}

std::string PairKind(const InputPairInfo& pair) {
  return pair.saturation ? "saturation pair (the two-phase solver alone: states on the "
                           "saturation line or inside the two-phase region)"
                         : "single-phase pair (any IF97 region)";
}

std::string UfuncDoc(const InputPairInfo& pair, const PropertyInfo& property, bool english) {
  const QuantityInfo& first = Describe(pair.first);
  const QuantityInfo& second = Describe(pair.second);
  const std::string unit(UnitOf(property, english));
  std::string doc;
  doc += "Property ";
  doc += property.key;
  doc +=
      " [" + unit + "] (property " + std::to_string(property.number) + ") of water and steam from ";
  doc += Inputs(pair, english) + ", " + PairKind(pair) + "; " +
         (english ? "English units" : "SI units") + ".\n\n";
  doc += "Parameters\n----------\n";
  doc += "x1 : array_like of real numbers\n    " + std::string(first.key) + " in " +
         std::string(UnitOf(first, english)) + "\n";
  doc += "x2 : array_like of real numbers\n    " + std::string(second.key) + " in " +
         std::string(UnitOf(second, english)) + "\n";
  doc += "out, where, casting, order, dtype, subok : as for every numpy ufunc.\n\n";
  doc += "Returns\n-------\n";
  doc += std::string(property.key) + " : ndarray of float64 (a float for scalar inputs), in " +
         unit + ".\n";
  if (property.isRegion) {
    doc += "    The IF97 region 1, 2, 3 or 5; 4 for a two-phase state.\n";
  }
  doc +=
      "    NaN where the inputs have no state within IF97 (outside the range of the\n"
      "    formulation, NaN or infinite, or not a number at all, such as text in an\n"
      "    object array) and where the property does not apply to the state (the\n"
      "    quality of a single-phase state, a transport value outside the range of\n"
      "    its correlation).\n";
  return doc;
}

std::string NamespaceDoc(const InputPairInfo& pair, bool english) {
  std::string doc = "Input pair \"" + std::string(pair.name) + "\": " + PairKind(pair) +
                    ", inputs " + Inputs(pair, english) + (english ? ", English units" : "") +
                    ".\n\nOne numpy ufunc per property, f(" +
                    std::string(Describe(pair.first).key) + ", " +
                    std::string(Describe(pair.second).key) + "):\n";
  for (const PropertyInfo& property : kProperties) {
    doc += "    ";
    doc += property.key;
    doc += " [";
    doc += UnitOf(property, english);
    doc += "]\n";
  }
  return doc;
}

// Everything numpy keeps pointers to for the life of the process: ufunc
// names, docstrings and loop data. Built once, never changed afterwards.
struct UfuncStore {
  std::array<std::array<std::array<UfuncTarget, kPropertyCount>, kInputPairCount>, 2> targets{};
  std::array<std::array<std::array<std::array<void*, kLoopCount>, kPropertyCount>, kInputPairCount>,
             2>
      data{};
  std::deque<std::string> texts;  // a deque never moves its strings
};

UfuncStore& Store() {
  static UfuncStore store = [] {
    UfuncStore built;
    for (std::size_t unitSystem = 0; unitSystem < 2; ++unitSystem) {
      for (std::size_t p = 0; p < kInputPairCount; ++p) {
        for (std::size_t k = 0; k < kPropertyCount; ++k) {
          UfuncTarget& target = built.targets[unitSystem][p][k];
          target = {kInputPairs[p].pair, &kProperties[k], unitSystem == 1};
          built.data[unitSystem][p][k].fill(&target);
        }
      }
    }
    return built;
  }();
  return store;
}

// Adds `value` to `module` under `name`; steals the reference.
bool AddObject(PyObject* module, const char* name, PyObject* value) {
  if (value == nullptr) {
    return false;
  }
  if (PyModule_AddObject(module, name, value) < 0) {
    Py_DECREF(value);
    return false;
  }
  return true;
}

// The namespace module of one pair with its thirty ufuncs.
PyObject* MakeNamespace(std::size_t pairIndex, bool english) {
  UfuncStore& store = Store();
  const InputPairInfo& pair = kInputPairs[pairIndex];
  const std::string name = NamespaceOf(pair, english);
  PyObject* module = PyModule_New(("vaporix." + name).c_str());
  if (module == nullptr) {
    return nullptr;
  }
  const std::string& doc = store.texts.emplace_back(NamespaceDoc(pair, english));
  PyObject* docObject = PyUnicode_FromString(doc.c_str());
  if (docObject == nullptr || PyObject_SetAttrString(module, "__doc__", docObject) < 0) {
    Py_XDECREF(docObject);
    Py_DECREF(module);
    return nullptr;
  }
  Py_DECREF(docObject);
  const std::size_t unitSystem = english ? 1 : 0;
  for (std::size_t k = 0; k < kPropertyCount; ++k) {
    const PropertyInfo& property = kProperties[k];
    // The qualified name lets pickle find the ufunc again: vaporix.<name>.<key>.
    const std::string& ufuncName = store.texts.emplace_back(name + "." + std::string(property.key));
    const std::string& ufuncDoc = store.texts.emplace_back(UfuncDoc(pair, property, english));
    PyObject* ufunc = PyUFunc_FromFuncAndData(kLoops, store.data[unitSystem][pairIndex][k].data(),
                                              kLoopTypes, kLoopCount, 2, 1, PyUFunc_None,
                                              ufuncName.c_str(), ufuncDoc.c_str(), 0);
    if (!AddObject(module, std::string(property.key).c_str(), ufunc)) {
      Py_DECREF(module);
      return nullptr;
    }
  }
  return module;
}

// A bare namespace ("vaporix.sat", "vaporix.english") that holds pairs.
PyObject* MakeGroup(const char* name, const char* doc) {
  PyObject* module = PyModule_New(name);
  if (module == nullptr) {
    return nullptr;
  }
  PyObject* docObject = PyUnicode_FromString(doc);
  if (docObject == nullptr || PyObject_SetAttrString(module, "__doc__", docObject) < 0) {
    Py_XDECREF(docObject);
    Py_DECREF(module);
    return nullptr;
  }
  Py_DECREF(docObject);
  return module;
}

std::string SatGroupDoc() {
  std::string shared;
  std::string own;
  for (const InputPairInfo& pair : kInputPairs) {
    if (pair.saturation) {
      std::string& names = NeedsSatPrefix(pair) ? shared : own;
      names += names.empty() ? "" : ", ";
      names += pair.name;
    }
  }
  return "The saturation input pairs (the two-phase solver alone). " + shared +
         " share their names with single-phase pairs and live only here; " + own +
         " are also at the top of the package.";
}

std::string EnglishGroupDoc() {
  std::vector<std::string_view> seen;
  std::string units;
  for (const QuantityInfo& quantity : vaporix::kQuantities) {
    if (quantity.englishUnit != quantity.siUnit &&
        std::find(seen.begin(), seen.end(), quantity.englishUnit) == seen.end()) {
      seen.push_back(quantity.englishUnit);
      units += units.empty() ? "" : ", ";
      units += quantity.englishUnit;
    }
  }
  return "The ufuncs of every pair in English units, as vaporix-cli --english: inputs in " + units +
         "; outputs in the English unit of each property.";
}

// Builds every namespace and returns {qualified name: module}, parents
// holding their children as attributes: "ph", "sat", "sat.ph", "px",
// "english", "english.ph", "english.sat", "english.sat.ph", ...
PyObject* MakeNamespaces() {
  PyObject* all = PyDict_New();
  if (all == nullptr) {
    return nullptr;
  }
  const auto fail = [all] {
    Py_DECREF(all);
    return nullptr;
  };
  for (int english = 0; english < 2; ++english) {
    const std::string prefix = english != 0 ? "english." : "";
    PyObject* sat = MakeGroup(("vaporix." + prefix + "sat").c_str(), SatGroupDoc().c_str());
    if (sat == nullptr || PyDict_SetItemString(all, (prefix + "sat").c_str(), sat) < 0) {
      Py_XDECREF(sat);
      return fail();
    }
    Py_DECREF(sat);
    PyObject* root = nullptr;
    if (english != 0) {
      root = MakeGroup("vaporix.english", EnglishGroupDoc().c_str());
      if (root == nullptr || PyDict_SetItemString(all, "english", root) < 0 ||
          PyObject_SetAttrString(root, "sat", sat) < 0) {
        Py_XDECREF(root);
        return fail();
      }
      Py_DECREF(root);
    }
    for (std::size_t p = 0; p < kInputPairCount; ++p) {
      const InputPairInfo& pair = kInputPairs[p];
      PyObject* module = MakeNamespace(p, english != 0);
      if (module == nullptr) {
        return fail();
      }
      const std::string name(pair.name);
      int status = PyDict_SetItemString(all, NamespaceOf(pair, english != 0).c_str(), module);
      if (status == 0 && pair.saturation) {
        status = PyObject_SetAttrString(sat, name.c_str(), module);
      }
      if (status == 0 && pair.saturation && !NeedsSatPrefix(pair)) {
        status = PyDict_SetItemString(all, (prefix + "sat." + name).c_str(), module);
      }
      if (status == 0 && !NeedsSatPrefix(pair) && root != nullptr) {
        status = PyObject_SetAttrString(root, name.c_str(), module);
      }
      Py_DECREF(module);
      if (status < 0) {
        return fail();
      }
    }
  }
  return all;
}

// The tables as tuples for the Python side: its error messages and the
// structured dtype of state() come from them.
PyObject* PairTable() {
  PyObject* rows = PyTuple_New(static_cast<Py_ssize_t>(kInputPairCount));
  if (rows == nullptr) {
    return nullptr;
  }
  for (std::size_t i = 0; i < kInputPairCount; ++i) {
    const InputPairInfo& pair = kInputPairs[i];
    const QuantityInfo& first = Describe(pair.first);
    const QuantityInfo& second = Describe(pair.second);
    PyObject* row = Py_BuildValue(
        "(s#Os#s#s#s#s#s#)", pair.name.data(), static_cast<Py_ssize_t>(pair.name.size()),
        pair.saturation ? Py_True : Py_False, first.key.data(),
        static_cast<Py_ssize_t>(first.key.size()), second.key.data(),
        static_cast<Py_ssize_t>(second.key.size()), first.siUnit.data(),
        static_cast<Py_ssize_t>(first.siUnit.size()), second.siUnit.data(),
        static_cast<Py_ssize_t>(second.siUnit.size()), first.englishUnit.data(),
        static_cast<Py_ssize_t>(first.englishUnit.size()), second.englishUnit.data(),
        static_cast<Py_ssize_t>(second.englishUnit.size()));
    if (row == nullptr) {
      Py_DECREF(rows);
      return nullptr;
    }
    PyTuple_SET_ITEM(rows, static_cast<Py_ssize_t>(i), row);
  }
  return rows;
}

PyObject* PropertyTable() {
  PyObject* rows = PyTuple_New(static_cast<Py_ssize_t>(kPropertyCount));
  if (rows == nullptr) {
    return nullptr;
  }
  for (std::size_t i = 0; i < kPropertyCount; ++i) {
    const PropertyInfo& property = kProperties[i];
    PyObject* row = Py_BuildValue(
        "(s#is#s#O)", property.key.data(), static_cast<Py_ssize_t>(property.key.size()),
        property.number, property.siUnit.data(), static_cast<Py_ssize_t>(property.siUnit.size()),
        property.englishUnit.data(), static_cast<Py_ssize_t>(property.englishUnit.size()),
        property.transportField != nullptr ? Py_True : Py_False);
    if (row == nullptr) {
      Py_DECREF(rows);
      return nullptr;
    }
    PyTuple_SET_ITEM(rows, static_cast<Py_ssize_t>(i), row);
  }
  return rows;
}

// ---- Whole states -----------------------------------------------------------

// The row layout of state(): the thirty properties as float64 in table
// order, then the status as numpy 'U12' (UCS-4, zero padded).
constexpr std::size_t kStatusChars = 12;
constexpr std::size_t kStatusOffset = kPropertyCount * sizeof(double);
constexpr std::size_t kRowBytes = kStatusOffset + kStatusChars * 4;

// The statuses of vaporix-cli batch, in enum order.
enum class Status { Ok, OutOfRange, BadInput };
constexpr std::array<std::string_view, 3> kStatusTexts{"ok", "out_of_range", "bad_input"};

// The three statuses as numpy stores them, ready to copy into a row.
using StatusText = std::array<std::uint32_t, kStatusChars>;
constexpr StatusText Ucs4(std::string_view text) {
  StatusText ucs4{};
  for (std::size_t i = 0; i < text.size(); ++i) {
    ucs4[i] = static_cast<unsigned char>(text[i]);
  }
  return ucs4;
}
constexpr std::array<StatusText, 3> kStatusUcs4{Ucs4(kStatusTexts[0]), Ucs4(kStatusTexts[1]),
                                                Ucs4(kStatusTexts[2])};

void WriteStatus(char* row, Status status) {
  std::memcpy(row + kStatusOffset, kStatusUcs4[static_cast<std::size_t>(status)].data(),
              sizeof(StatusText));
}

// The thirty values of a found state, NaN where the property is not available
// or not computed. Unrolled over the table, so each row's field access and
// availability rule is resolved when compiling.
template <std::size_t... K>
void FillValues(std::array<double, kPropertyCount>& values, const StateProperties& state,
                const TransportProperties& transport, bool saturation, bool withTransport,
                std::index_sequence<K...> /*rows*/) {
  ((values[K] = (withTransport || kProperties[K].transportField == nullptr) &&
                        IsAvailable(kProperties[K], state, transport, saturation)
                    ? ValueOf(kProperties[K], state, transport)
                    : kNaN),
   ...);
}

struct SolveJob {
  InputPair pair;
  bool english;
  bool withTransport;
  const double* a;
  const double* b;
  char* rows;
};

// The rows [begin, end) of a job, decided as vaporix-cli batch decides them:
// a non-finite input is bad_input, a declined state out_of_range, and a value
// the CLI prints as "N/A" is NaN here. Fresh records for every row, so that no
// row depends on the rows before it or on the thread that computes it.
void SolveRows(const SolveJob& job, std::size_t begin, std::size_t end) {
  const FlagsKept flags;
  IF97Calculator& engine = ThreadEngine();
  const bool saturation = Describe(job.pair).saturation;
  std::array<double, kPropertyCount> values{};
  for (std::size_t i = begin; i < end; ++i) {
    char* row = job.rows + i * kRowBytes;
    const double a = job.a[i];
    const double b = job.b[i];
    StateProperties state{};
    TransportProperties transport{};
    Status status = Status::Ok;
    if (!std::isfinite(a) || !std::isfinite(b)) {
      status = Status::BadInput;
    } else if (!engine.Calculate(job.pair, a, b, state, transport, job.withTransport,
                                 job.english)) {
      status = Status::OutOfRange;
    }
    if (status == Status::Ok) {
      FillValues(values, state, transport, saturation, job.withTransport,
                 std::make_index_sequence<kPropertyCount>());
    } else {
      values.fill(kNaN);
    }
    std::memcpy(row, values.data(), sizeof values);
    WriteStatus(row, status);
  }
}

// Fewer rows than this per thread are not worth a thread.
constexpr std::size_t kMinRowsPerThread = 2048;
// The rows a thread takes at a time.
constexpr std::size_t kChunkRows = 1024;

// solve(pair_index, a, b, english, transport, threads, into): a and b are
// C-contiguous float64 arrays of one length; `into` is the row dtype, and a
// new 1-D structured array is returned, or a C-contiguous writeable array of
// that many rows, which is filled and returned.
PyObject* Solve(PyObject* /*module*/, PyObject* args) {
  int pairIndex = 0;
  PyObject* aObject = nullptr;
  PyObject* bObject = nullptr;
  int english = 0;
  int withTransport = 1;
  Py_ssize_t threads = 0;
  PyObject* into = nullptr;
  if (!PyArg_ParseTuple(args, "iO!O!ppnO", &pairIndex, &PyArray_Type, &aObject, &PyArray_Type,
                        &bObject, &english, &withTransport, &threads, &into)) {
    return nullptr;
  }
  auto* a = reinterpret_cast<PyArrayObject*>(aObject);
  auto* b = reinterpret_cast<PyArrayObject*>(bObject);
  if (pairIndex < 0 || pairIndex >= static_cast<int>(kInputPairCount) ||
      PyArray_TYPE(a) != NPY_DOUBLE || PyArray_TYPE(b) != NPY_DOUBLE || PyArray_NDIM(a) != 1 ||
      PyArray_NDIM(b) != 1 || !PyArray_IS_C_CONTIGUOUS(a) || !PyArray_IS_C_CONTIGUOUS(b) ||
      PyArray_SIZE(a) != PyArray_SIZE(b)) {
    PyErr_SetString(PyExc_ValueError, "solve: two contiguous float64 arrays of one length");
    return nullptr;
  }
  const npy_intp size = PyArray_SIZE(a);
  PyObject* result = nullptr;
  if (PyArray_Check(into)) {
    auto* given = reinterpret_cast<PyArrayObject*>(into);
    if (static_cast<std::size_t>(PyArray_ITEMSIZE(given)) != kRowBytes ||
        PyArray_SIZE(given) != size || !PyArray_IS_C_CONTIGUOUS(given) ||
        !PyArray_ISWRITEABLE(given)) {
      PyErr_SetString(PyExc_ValueError,
                      "out must be a writeable C-contiguous array of the state dtype and shape");
      return nullptr;
    }
    Py_INCREF(into);
    result = into;
  } else {
    PyArray_Descr* descr = nullptr;
    if (PyArray_DescrConverter(into, &descr) == 0) {
      return nullptr;
    }
    if (static_cast<std::size_t>(descr->elsize) != kRowBytes) {
      Py_DECREF(descr);
      PyErr_SetString(PyExc_ValueError, "solve: the row dtype does not match the engine's table");
      return nullptr;
    }
    // PyArray_Empty steals the reference to descr.
    result = PyArray_Empty(1, const_cast<npy_intp*>(&size), descr, 0);
    if (result == nullptr) {
      return nullptr;
    }
  }
  const SolveJob job{kInputPairs[static_cast<std::size_t>(pairIndex)].pair,
                     english != 0,
                     withTransport != 0,
                     static_cast<const double*>(PyArray_DATA(a)),
                     static_cast<const double*>(PyArray_DATA(b)),
                     static_cast<char*>(PyArray_DATA(reinterpret_cast<PyArrayObject*>(result)))};
  const auto rows = static_cast<std::size_t>(size);
  std::size_t wanted = threads > 0 ? static_cast<std::size_t>(threads)
                                   : std::max(1U, std::thread::hardware_concurrency());
  wanted = std::clamp<std::size_t>(wanted, 1, std::max<std::size_t>(rows / kMinRowsPerThread, 1));
  Py_BEGIN_ALLOW_THREADS;
  // Threads take chunks of rows from a shared counter until none is left, so
  // that a share of slower states (region 2 beside region 1, say) does not
  // hold one thread up; this thread takes part, so the work gets done even
  // when a worker cannot start. No row depends on the thread that computes it.
  std::atomic<std::size_t> nextChunk{0};
  const auto drain = [&job, &nextChunk, rows] {
    for (;;) {
      const std::size_t begin = nextChunk.fetch_add(1) * kChunkRows;
      if (begin >= rows) {
        return;
      }
      SolveRows(job, begin, std::min(rows, begin + kChunkRows));
    }
  };
  std::vector<std::thread> workers;
  for (std::size_t i = 1; i < wanted; ++i) {
    try {
      workers.emplace_back(drain);
    } catch (...) {
      break;
    }
  }
  drain();
  for (std::thread& worker : workers) {
    worker.join();
  }
  Py_END_ALLOW_THREADS;
  return result;
}

PyMethodDef kMethods[] = {
    {"solve", Solve, METH_VARARGS,
     "solve(pair_index, a, b, english, transport, threads, dtype): whole states of 1-D float64 "
     "inputs as a structured array (use vaporix.state)."},
    {nullptr, nullptr, 0, nullptr},
};

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT,
    "vaporix._core",
    "The compiled core of vaporix: ufuncs and whole states over the IF97 engine.",
    -1,
    kMethods,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

}  // namespace

PyMODINIT_FUNC PyInit__core() {
  import_array();
  import_umath();
  PyObject* module = PyModule_Create(&kModule);
  if (module == nullptr) {
    return nullptr;
  }
  if (!AddObject(module, "NAMESPACES", MakeNamespaces()) ||
      !AddObject(module, "PAIRS", PairTable()) ||
      !AddObject(module, "PROPERTIES", PropertyTable()) ||
      !AddObject(module, "STATUSES",
                 Py_BuildValue("(sss)", kStatusTexts[0].data(), kStatusTexts[1].data(),
                               kStatusTexts[2].data())) ||
      PyModule_AddIntConstant(module, "STATUS_CHARS", static_cast<long>(kStatusChars)) < 0) {
    Py_DECREF(module);
    return nullptr;
  }
  return module;
}
