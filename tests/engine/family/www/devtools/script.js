document.documentElement.dataset.scriptRan = "yes";
