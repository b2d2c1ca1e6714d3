import numpy as np
import pytest

import vaporix

da = pytest.importorskip("dask.array")
distributed = pytest.importorskip("distributed")


def test_ufuncs_on_a_two_process_local_cluster():
    rng = np.random.default_rng(7)
    p = rng.uniform(0.001, 100.0, 20000)
    h = rng.uniform(0.0, 4000.0, 20000)
    expected = vaporix.ph.t(p, h)
    # Two worker processes on loopback only: the ufunc crosses the process
    # boundary by pickle and each worker imports vaporix itself.
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  host="127.0.0.1", dashboard_address=None,
                                  worker_dashboard_address=None, timeout=120) as cluster, \
            distributed.Client(cluster, timeout=120) as client:
        lazy = vaporix.ph.t(da.from_array(p, chunks=5000), da.from_array(h, chunks=5000))
        assert isinstance(lazy, da.Array)
        result = client.compute(lazy).result(timeout=120)
        workers = client.run(lambda: __import__("os").getpid())
    assert len(set(workers.values())) == 2
    np.testing.assert_array_equal(result.view(np.uint64), expected.view(np.uint64))
