import os
import shutil

import pytest


@pytest.fixture(scope="session")
def cli():
    """The vaporix-cli of the same build (CTest sets VAPORIX_CLI)."""
    path = os.environ.get("VAPORIX_CLI") or shutil.which("vaporix-cli")
    if not path or not os.path.exists(path):
        pytest.skip("vaporix-cli not found (set VAPORIX_CLI)")
    return path
