document.documentElement.dataset.scriptRan = "yes";
// Messages the host posts, kept for the test to read back.
window.receivedMessages = [];
if (window.chrome && window.chrome.webview) {
  window.chrome.webview.addEventListener("message", (event) => {
    window.receivedMessages.push(event.data);
  });
}
